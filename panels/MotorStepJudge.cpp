#include "panels/MotorStepJudge.h"

#include <algorithm>
#include <cstdlib>

const char* MotorFaultName(MotorFault fault) {
    switch (fault) {
    case MotorFault::None:
        return "pass";
    case MotorFault::Slow:
        return "slow";
    case MotorFault::Stall:
        return "stall";
    case MotorFault::Overshoot:
        return "overshoot";
    case MotorFault::Reversed:
        return "reversed";
    case MotorFault::Crosstalk:
        return "crosstalk";
    }
    return "pass";
}

MotorStepJudge::MotorStepJudge(int fader, int target, std::int64_t commandMs, const Positions& at)
    : m_fader(fader), m_target(target), m_commandMs(commandMs), m_start(at) {
    // A fader already at its target is in the band from the command on.
    if (std::abs(at[fader] - m_target) <= kTolerance) {
        m_reached = true;
        m_inBandSince = commandMs;
    }
}

void MotorStepJudge::Feed(std::int64_t ms, const Positions& positions) {
    if (m_done) return;
    Tick(ms);
    if (m_done) return;
    const int position = positions[m_fader];
    const int direction = (m_target > m_start[m_fader]) - (m_target < m_start[m_fader]);
    const int error = position - m_target;
    if (direction != 0 && error * direction > kOvershoot) m_overshoot = true;
    if (std::abs(error) > std::abs(m_start[m_fader] - m_target) + kTolerance) m_reversed = true;
    for (int f = 0; f < kAudioFaderCount; ++f)
        if (f != m_fader && std::abs(positions[f] - m_start[f]) > kTolerance) m_crosstalk = true;
    if (std::abs(error) <= kTolerance) {
        if (m_inBandSince < 0) m_inBandSince = ms;
    } else {
        m_inBandSince = -1;
    }
    // Reports may skip the band: a fader past its target has reached it too.
    if (std::abs(error) <= kTolerance || error * direction > 0) m_reached = true;
    if (m_reached) m_worstError = std::max(m_worstError, std::abs(error));
}

void MotorStepJudge::Tick(std::int64_t ms) {
    if (m_done) return;
    // The position reported last holds until the next report.
    if (m_inBandSince >= 0 && ms - m_inBandSince >= kHoldMs) {
        m_settledAt = m_inBandSince;
        m_done = true;
        return;
    }
    // A fader that is there when time runs out still gets its hold.
    if (m_inBandSince < 0 && ms - m_commandMs >= kGiveUpMs) m_done = true;
}

MotorFault MotorStepJudge::Fault() const {
    if (m_reversed) return MotorFault::Reversed;
    if (m_crosstalk) return MotorFault::Crosstalk;
    if (m_overshoot) return MotorFault::Overshoot;
    if (m_settledAt < 0) return MotorFault::Stall;
    if (m_settledAt - m_commandMs > kArriveMs) return MotorFault::Slow;
    return MotorFault::None;
}
