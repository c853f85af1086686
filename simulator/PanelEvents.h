// A panel's event interface: registers the program's sink and delivers the
// panel's callbacks to it on the library's thread. After Unadvise (or the last
// Release) has returned, the sink is never called again: both wait for a
// callback in flight on another thread to come back.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <mutex>

#include "contract/TqDvManager.h"
#include "simulator/ObjectLife.h"
#include "simulator/model/SimEvent.h"

class PanelEvents : public ITqPanelEvents {
public:
    explicit PanelEvents(int panel);

    TqStatus Reserved1() override;
    TqStatus Reserved2() override;  // AddRef
    TqStatus Release() override;
    TqStatus Advise(ITqEventSink* sink) override;
    TqStatus Unadvise() override;
    TqStatus Reserved6() override;
    TqStatus GetVersionInfo(PanelVersionInfo* info) override;

    int Panel() const { return m_panel; }
    // On the delivery thread only.
    void Deliver(const SimEvent& event);
    void DeliverConnection(std::int32_t state);
    // Drops the sink as Unadvise does.
    bool Detach();
    // The manager it came through is gone: drops the sink and refuses new ones.
    bool Orphan();

private:
    // False when no sink was registered (nothing was called).
    template <class Call>
    bool CallSink(Call call);

    const int m_panel;
    ObjectLife m_life;
    std::mutex m_mu;
    std::condition_variable m_idle;
    ITqEventSink* m_sink = nullptr;
    bool m_busy = false;
    bool m_orphaned = false;
    DWORD m_busyThread = 0;
};
