// When a panel window takes the reports its sink has queued. While reports keep
// coming they are taken at most once a frame: under a storm every batch would
// otherwise cost a paint of its own, and a paint costs many times what handling
// a report does. A report after a quiet spell is taken at once.
//
// The window tells the pacer what happened (a notice from the sink, its frame
// timer, the start and end of a take) and does what the answer says; the pacer
// holds no window and no clock of its own, so its rules run natively under the
// sanitizers with made-up times.
#pragma once

#include <cstddef>
#include <cstdint>

class PanelReportPacer {
public:
    static constexpr std::uint64_t kFrameMs = 16;

    enum class Step {
        kNone,   // nothing now: a take is running, or the frame timer will come
        kTake,   // take the waiting reports now
        kDefer,  // arm the frame timer for DeferMs(now), then call TimerArmed
    };

    // A notice (WM_PANEL_REPORT) arrived at now (ms, any monotonic clock).
    Step OnNotice(std::uint64_t now);
    // How long a deferred take waits: the rest of the frame since the last take.
    std::uint64_t DeferMs(std::uint64_t now) const;
    // The frame timer is armed; a window whose timer could not be armed takes now.
    void TimerArmed() { m_timerArmed = true; }
    // The frame timer fired (and was killed).
    Step OnTimer();

    // A take starts at now; a handler that pumps messages may bring notices
    // meanwhile, which only mark reports as waiting.
    void BeginTake(std::uint64_t now);
    // The take handed out count reports. True when reports came in during the
    // take and the window must notice itself again (post WM_PANEL_REPORT).
    bool EndTake(std::size_t count);

    bool Taking() const { return m_taking; }
    // True while reports wait for the next frame.
    bool Deferred() const { return m_timerArmed; }
    // Reports taken since the window opened.
    std::uint64_t Handled() const { return m_handled; }

private:
    bool m_taking = false;
    bool m_waiting = false;
    bool m_timerArmed = false;
    bool m_tookOnce = false;
    std::uint64_t m_lastTake = 0;
    std::uint64_t m_handled = 0;
};
