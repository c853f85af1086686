// The reports of one panel between the library's thread, which pushes them as
// they arrive, and the window thread, which takes them in batches. Every report
// is taken exactly once and in arrival order; the newest one also stays readable
// after it was taken, for the windows that re-read the panel's current values.
//
// Pure C++ (no Win32), so the ordering and overflow rules run natively under
// ThreadSanitizer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

#include "contract/PanelBlocks.h"

// One report as the library delivers it: change flags and current values.
struct PanelReport {
    PanelChanges changes;
    PanelStatus status;
    // When it reached the program (GetTickCount64), before a frame's pacing
    // held it back: what a check that times the panel must go by.
    std::uint64_t arrivedMs = 0;
};

class PanelReportQueue {
public:
    // About a second of a panel storming at 1000 reports/s: far more than a
    // window thread falls behind while it is merely busy painting.
    static constexpr std::size_t kCapacity = 1024;

    explicit PanelReportQueue(std::size_t capacity = kCapacity);
    PanelReportQueue(const PanelReportQueue&) = delete;
    PanelReportQueue& operator=(const PanelReportQueue&) = delete;

    // Appends a report. When the queue is full the oldest report gives way: the
    // newest values are what the window must end up showing, and a window that
    // stalled that long has lost the history anyway. Returns true when the
    // reader has to be told, that is for the first report since its last Take.
    bool Push(const PanelReport& report);

    // Moves every waiting report, oldest first, into out (which is cleared first)
    // and arms the next Push to ask for a new notice.
    void Take(std::vector<PanelReport>& out);

    // A notice that could not be delivered: the next Push asks again.
    void NoticeLost();

    // The newest report ever pushed, taken or not; zeroes before the first.
    PanelReport Latest() const;

    // Reports that gave way to newer ones because the queue was full.
    std::uint64_t Dropped() const;
    std::size_t Size() const;

private:
    mutable std::mutex m_lock;
    const std::size_t m_capacity;
    std::vector<PanelReport> m_ring;  // allocated on the first push
    std::size_t m_head = 0;           // index of the oldest waiting report
    std::size_t m_size = 0;
    bool m_noticePending = false;
    std::uint64_t m_dropped = 0;
    PanelReport m_latest{};
};
