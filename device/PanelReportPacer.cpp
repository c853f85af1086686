#include "device/PanelReportPacer.h"

PanelReportPacer::Step PanelReportPacer::OnNotice(std::uint64_t now) {
    // A handler that pumps messages (a message box, say) would otherwise take
    // later reports and handle them before the rest of its batch.
    if (m_taking) {
        m_waiting = true;
        return Step::kNone;
    }
    if (m_timerArmed) return Step::kNone;  // the next frame takes them
    // The sink announces nothing more until these are taken, so a storm costs
    // one notice and one timer a frame.
    if (m_tookOnce && now - m_lastTake < kFrameMs) return Step::kDefer;
    return Step::kTake;
}

std::uint64_t PanelReportPacer::DeferMs(std::uint64_t now) const {
    const std::uint64_t since = now - m_lastTake;
    return since < kFrameMs ? kFrameMs - since : 0;
}

PanelReportPacer::Step PanelReportPacer::OnTimer() {
    m_timerArmed = false;
    if (m_taking) {
        m_waiting = true;
        return Step::kNone;
    }
    return Step::kTake;
}

void PanelReportPacer::BeginTake(std::uint64_t now) {
    m_taking = true;
    m_tookOnce = true;
    m_lastTake = now;
}

bool PanelReportPacer::EndTake(std::size_t count) {
    m_handled += count;
    m_taking = false;
    const bool again = m_waiting;
    m_waiting = false;
    return again;
}
