#include "panels/MotorCheck.h"

#include <algorithm>

namespace {
// Which of two faults a fader's verdict shows: the one an engineer must see first.
int Severity(MotorFault fault) {
    switch (fault) {
    case MotorFault::None:
        return 0;
    case MotorFault::Slow:
        return 1;
    case MotorFault::Overshoot:
        return 2;
    case MotorFault::Stall:
        return 3;
    case MotorFault::Crosstalk:
        return 4;
    case MotorFault::Reversed:
        return 5;
    }
    return 0;
}
}  // namespace

void MotorCheck::Start(std::int64_t ms, const Positions& at) {
    Stop();
    m_results = {};
    m_last = at;
    m_fader = 0;
    m_target = 0;
    Command(ms);
}

void MotorCheck::Command(std::int64_t ms) {
    const int target = kTargets[m_target];
    m_driver.SetFader(m_fader, 1, target);
    m_step.emplace(m_fader, target, ms, m_last);
}

void MotorCheck::Feed(std::int64_t ms, const Positions& positions) {
    if (!m_step) return;
    m_step->Feed(ms, positions);
    m_last = positions;
    Advance(ms);
}

void MotorCheck::Tick(std::int64_t ms) {
    if (!m_step) return;
    m_step->Tick(ms);
    Advance(ms);
}

void MotorCheck::Advance(std::int64_t ms) {
    if (!m_step || !m_step->Done()) return;
    MotorFaderResult& r = m_results[static_cast<size_t>(m_fader)];
    const MotorFault fault = m_step->Fault();
    if (Severity(fault) > Severity(r.fault)) r.fault = fault;
    r.worstError = std::max(r.worstError, m_step->WorstError());
    r.slowestSettleMs = std::max(r.slowestSettleMs, m_step->SettleMs());
    m_step.reset();
    // A motor that cannot get there at all would show nothing new in its
    // other steps; each would only cost the check kGiveUpMs.
    const bool hopeless = fault == MotorFault::Stall || fault == MotorFault::Reversed;
    if (!hopeless && ++m_target < kTargets.size()) return Command(ms);
    r.done = true;
    m_driver.SetFader(m_fader, 0, m_last[static_cast<size_t>(m_fader)]);
    m_target = 0;
    if (++m_fader < kAudioFaderCount) Command(ms);
}

void MotorCheck::Stop() {
    if (!m_step) return;
    m_step.reset();
    // Every fader, not only the one in its steps: none may stay held by the check.
    for (int f = 0; f < kAudioFaderCount; ++f) m_driver.SetFader(f, 0, m_last[static_cast<size_t>(f)]);
}
