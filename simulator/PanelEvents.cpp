#include "PanelEvents.h"

#include <cstdio>
#include <cstring>

#include "SimHost.h"
#include "SimStatus.h"
#include "device/PanelIids.h"

namespace {
// Made up for the fault injection: an interface nobody registered.
constexpr GUID kUnknownIid = {0x5EC0F00D, 0x0BAD, 0x4C1D, {0x9A, 0x11, 0x00, 0x00, 0xDE, 0xAD, 0xBE, 0xEF}};
}  // namespace

PanelEvents::PanelEvents(int panel) : panel_(panel), life_("event interface") {}

TqStatus PanelEvents::Reserved1() {
    if (!life_.Alive(this, "slot 1")) return simstatus::kReleased;
    return simstatus::kNotSupported;
}

TqStatus PanelEvents::Reserved2() { return life_.AddRef(this); }

TqStatus PanelEvents::Release() {
    bool last = false;
    const std::int32_t n = life_.Release(this, last);
    if (last) {
        Detach();
        SimHost::Get().DropObject();
    }
    return n;
}

TqStatus PanelEvents::Advise(ITqEventSink* sink) {
    if (!life_.Alive(this, "Advise")) return simstatus::kReleased;
    if (!sink) return simstatus::kBadArgument;
    {
        std::unique_lock<std::mutex> lock(mu_);
        if (orphaned_) {
            std::fprintf(stderr, "TqDvManager: Advise on an event interface whose device manager was released (%p)\n",
                         static_cast<void*>(this));
            std::fflush(stderr);
            return simstatus::kReleased;
        }
        if (busy_ && busyThread_ != GetCurrentThreadId()) idle_.wait(lock, [&] { return !busy_; });
        sink_ = sink;
    }
    SimHost::Get().Advised(this);
    return simstatus::kOk;
}

bool PanelEvents::Detach() {
    std::unique_lock<std::mutex> lock(mu_);
    const bool had = sink_ != nullptr;
    sink_ = nullptr;
    // A callback running on another thread must come back before we return;
    // one running on this thread (the sink unregistering itself) cannot be waited for.
    if (busy_ && busyThread_ != GetCurrentThreadId()) idle_.wait(lock, [&] { return !busy_; });
    if (had) SimHost::Get().Unadvised(this);
    return had;
}

bool PanelEvents::Orphan() {
    {
        std::lock_guard<std::mutex> lock(mu_);
        orphaned_ = true;
    }
    return Detach();
}

TqStatus PanelEvents::Unadvise() {
    if (!life_.Alive(this, "Unadvise")) return simstatus::kReleased;
    return Detach() ? simstatus::kOk : simstatus::kBadArgument;
}

TqStatus PanelEvents::Reserved6() {
    if (!life_.Alive(this, "slot 6")) return simstatus::kReleased;
    return simstatus::kNotSupported;
}

TqStatus PanelEvents::GetVersionInfo(PanelVersionInfo* info) {
    if (!life_.Alive(this, "GetVersionInfo")) return simstatus::kReleased;
    return SimHost::Get().Simulator().GetVersionInfo(panel_, info);
}

template <class Call>
bool PanelEvents::CallSink(Call call) {
    ITqEventSink* sink;
    {
        std::lock_guard<std::mutex> lock(mu_);
        sink = sink_;
        if (!sink) return false;
        busy_ = true;
        busyThread_ = GetCurrentThreadId();
    }
    call(sink);
    {
        std::lock_guard<std::mutex> lock(mu_);
        busy_ = false;
        busyThread_ = 0;
    }
    idle_.notify_all();
    return true;
}

void PanelEvents::Deliver(const SimEvent& event) {
    const GUID* iid = kEventIids[panel_];
    switch (event.kind) {
    case SimEvent::kReport: {
        // The sink gets its own copies: it must not be able to change what other sinks see.
        PanelChanges changes = event.changes;
        PanelStatus status = event.status;
        LARGE_INTEGER handedOver{};
        QueryPerformanceCounter(&handedOver);
        if (CallSink([&](ITqEventSink* s) { s->OnPanelReport(iid, &changes, &status); }))
            SimHost::Get().Simulator().NoteDelivered(panel_, handedOver.QuadPart);
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
    const GUID* iid = kEventIids[panel_];
    CallSink([&](ITqEventSink* s) { s->OnPanelConnection(iid, state); });
}
