#include "simulator/PanelEvents.h"

#include <cstdio>
#include <cstring>

#include "contract/PanelIids.h"
#include "simulator/SimHost.h"
#include "simulator/model/SimStatus.h"

namespace {
// Made up for the fault injection: an interface nobody registered.
constexpr GUID kUnknownIid = {0x5EC0F00D, 0x0BAD, 0x4C1D, {0x9A, 0x11, 0x00, 0x00, 0xDE, 0xAD, 0xBE, 0xEF}};
}  // namespace

PanelEvents::PanelEvents(int panel) : m_panel(panel), m_life("event interface") {}

TqStatus PanelEvents::Reserved1() {
    if (!m_life.Alive(this, "slot 1")) return simstatus::kReleased;
    return simstatus::kNotSupported;
}

TqStatus PanelEvents::Reserved2() { return m_life.AddRef(this); }

TqStatus PanelEvents::Release() {
    bool last = false;
    const std::int32_t n = m_life.Release(this, last);
    if (last) {
        Detach();
        SimHost::Get().DropObject();
    }
    return n;
}

TqStatus PanelEvents::Advise(ITqEventSink* sink) {
    if (!m_life.Alive(this, "Advise")) return simstatus::kReleased;
    if (!sink) return simstatus::kBadArgument;
    {
        std::unique_lock<std::mutex> lock(m_mu);
        if (m_orphaned) {
            std::fprintf(stderr, "TqDvManager: Advise on an event interface whose device manager was released (%p)\n",
                         static_cast<void*>(this));
            std::fflush(stderr);
            return simstatus::kReleased;
        }
        if (m_busy && m_busyThread != GetCurrentThreadId()) m_idle.wait(lock, [&] { return !m_busy; });
        m_sink = sink;
    }
    SimHost::Get().Advised(this);
    return simstatus::kOk;
}

bool PanelEvents::Detach() {
    std::unique_lock<std::mutex> lock(m_mu);
    const bool had = m_sink != nullptr;
    m_sink = nullptr;
    // A callback running on another thread must come back before we return;
    // one running on this thread (the sink unregistering itself) cannot be waited for.
    if (m_busy && m_busyThread != GetCurrentThreadId()) m_idle.wait(lock, [&] { return !m_busy; });
    if (had) SimHost::Get().Unadvised(this);
    return had;
}

bool PanelEvents::Orphan() {
    {
        std::lock_guard<std::mutex> lock(m_mu);
        m_orphaned = true;
    }
    return Detach();
}

TqStatus PanelEvents::Unadvise() {
    if (!m_life.Alive(this, "Unadvise")) return simstatus::kReleased;
    return Detach() ? simstatus::kOk : simstatus::kBadArgument;
}

TqStatus PanelEvents::Reserved6() {
    if (!m_life.Alive(this, "slot 6")) return simstatus::kReleased;
    return simstatus::kNotSupported;
}

TqStatus PanelEvents::GetVersionInfo(PanelVersionInfo* info) {
    if (!m_life.Alive(this, "GetVersionInfo")) return simstatus::kReleased;
    return SimHost::Get().Simulator().GetVersionInfo(m_panel, info);
}

template <class Call>
bool PanelEvents::CallSink(Call call) {
    ITqEventSink* sink;
    {
        std::lock_guard<std::mutex> lock(m_mu);
        sink = m_sink;
        if (!sink) return false;
        m_busy = true;
        m_busyThread = GetCurrentThreadId();
    }
    call(sink);
    {
        std::lock_guard<std::mutex> lock(m_mu);
        m_busy = false;
        m_busyThread = 0;
    }
    m_idle.notify_all();
    return true;
}

void PanelEvents::Deliver(const SimEvent& event) {
    const GUID* iid = kEventIids[m_panel];
    switch (event.kind) {
    case SimEvent::kReport: {
        // The sink gets its own copies: it must not be able to change what other sinks see.
        PanelChanges changes = event.changes;
        PanelStatus status = event.status;
        LARGE_INTEGER handedOver{};
        QueryPerformanceCounter(&handedOver);
        if (CallSink([&](ITqEventSink* s) { s->OnPanelReport(iid, &changes, &status); }))
            SimHost::Get().Simulator().NoteDelivered(m_panel, handedOver.QuadPart);
        break;
    }
    case SimEvent::kConnection:
        CallSink([&](ITqEventSink* s) { s->OnPanelConnection(iid, event.state); });
        break;
    case SimEvent::kProgress:
        CallSink([&](ITqEventSink* s) { s->OnPanelProgress(event.first, event.value); });
        break;
    case SimEvent::kUnknownIid: {
        PanelChanges changes{};
        PanelStatus status{};
        std::memset(status.bytes, 0xFF, sizeof status.bytes);
        CallSink([&](ITqEventSink* s) {
            s->OnPanelReport(&kUnknownIid, &changes, &status);
            s->OnPanelConnection(&kUnknownIid, 1);
        });
        break;
    }
    }
}

void PanelEvents::DeliverConnection(std::int32_t state) {
    const GUID* iid = kEventIids[m_panel];
    CallSink([&](ITqEventSink* s) { s->OnPanelConnection(iid, state); });
}
