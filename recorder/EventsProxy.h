// Wraps a panel's event interface. Advise hands the library a SinkProxy in
// front of the program's sink; the sink wrappers stay until this wrapper dies
// (the library may still be inside a callback when Unadvise is called on
// another thread, so none is freed earlier).
#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "recorder/ProxyLife.h"
#include "recorder/SinkProxy.h"

class EventsProxy final : public ITqPanelEvents, public ProxyLife {
public:
    EventsProxy(RecorderSession& session, ITqPanelEvents* real, int kind);

    TqStatus Reserved1() override;
    TqStatus Reserved2() override;
    TqStatus Release() override;
    TqStatus Advise(ITqEventSink* sink) override;
    TqStatus Unadvise() override;
    TqStatus Reserved6() override;
    TqStatus GetVersionInfo(PanelVersionInfo* info) override;

private:
    ~EventsProxy() = default;

    ITqPanelEvents* const m_real;
    std::mutex m_sinksMu;
    std::vector<std::unique_ptr<SinkProxy>> m_sinks;
};
