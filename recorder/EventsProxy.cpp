#include "recorder/EventsProxy.h"

EventsProxy::EventsProxy(RecorderSession& session, ITqPanelEvents* real, int kind)
    : ProxyLife(session, 'E', real, kind), m_real(real) {}

TqStatus EventsProxy::Reserved1() {
    return Forward("slot1", "", [&] { return m_real->Reserved1(); });
}

TqStatus EventsProxy::Reserved2() {
    return Forward("slot2", "", [&] { return m_real->Reserved2(); });
}

TqStatus EventsProxy::Release() {
    TqStatus status = 0;
    if (ForwardRelease([&] { return m_real->Release(); }, status)) delete this;
    return status;
}

TqStatus EventsProxy::Advise(ITqEventSink* sink) {
    if (!sink) return Forward("Advise", "null", [&] { return m_real->Advise(nullptr); });
    SinkProxy* proxy = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_sinksMu);
        m_sinks.push_back(std::make_unique<SinkProxy>(m_session, sink));
        proxy = m_sinks.back().get();
    }
    return Forward("Advise", proxy->Name(), [&] { return m_real->Advise(proxy); });
}

TqStatus EventsProxy::Unadvise() {
    return Forward("Unadvise", "", [&] { return m_real->Unadvise(); });
}

TqStatus EventsProxy::Reserved6() {
    return Forward("slot6", "", [&] { return m_real->Reserved6(); });
}

TqStatus EventsProxy::GetVersionInfo(PanelVersionInfo* info) {
    return Forward(
        "GetVersionInfo", info ? "" : "null", [&] { return m_real->GetVersionInfo(info); },
        [&](TqStatus status) { return status >= 0 ? RecorderSession::BlockText(info, sizeof *info) : std::string(); });
}
