#include "recorder/EventsProxy.h"

EventsProxy::EventsProxy(RecorderSession& session, ITqPanelEvents* real, int kind)
    : ProxyLife(session, 'E', real, kind), real_(real) {}

TqStatus EventsProxy::Reserved1() {
    return Forward("slot1", "", [&] { return real_->Reserved1(); });
}

TqStatus EventsProxy::Reserved2() {
    return Forward("slot2", "", [&] { return real_->Reserved2(); });
}

TqStatus EventsProxy::Release() {
    TqStatus status = 0;
    if (ForwardRelease([&] { return real_->Release(); }, status)) delete this;
    return status;
}

TqStatus EventsProxy::Advise(ITqEventSink* sink) {
    if (!sink) return Forward("Advise", "null", [&] { return real_->Advise(nullptr); });
    SinkProxy* proxy = nullptr;
    {
        std::lock_guard<std::mutex> lock(sinksMu_);
        sinks_.push_back(std::make_unique<SinkProxy>(session_, sink));
        proxy = sinks_.back().get();
    }
    return Forward("Advise", proxy->Name(), [&] { return real_->Advise(proxy); });
}

TqStatus EventsProxy::Unadvise() {
    return Forward("Unadvise", "", [&] { return real_->Unadvise(); });
}

TqStatus EventsProxy::Reserved6() {
    return Forward("slot6", "", [&] { return real_->Reserved6(); });
}

TqStatus EventsProxy::GetVersionInfo(PanelVersionInfo* info) {
    return Forward(
        "GetVersionInfo", info ? "" : "null", [&] { return real_->GetVersionInfo(info); },
        [&](TqStatus status) { return status >= 0 ? RecorderSession::BlockText(info, sizeof *info) : std::string(); });
}
