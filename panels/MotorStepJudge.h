// The judgement of one step of the Audio panel's motor-fader check: the fader is
// held and commanded to a target, and the positions the panel then reports
// (never an echo of the command) say whether its motor got there, in time, and
// alone. Window-free and clock-free: times are passed in.
#pragma once

#include <array>
#include <cstdint>

#include "panels/AudioKeys.h"

enum class MotorFault {
    None,
    Slow,       // there, but only after kArriveMs
    Stall,      // not there after kGiveUpMs
    Overshoot,  // more than kOvershoot past the target
    Reversed,   // moved away from the target
    Crosstalk,  // another fader moved by more than kTolerance
};

const char* MotorFaultName(MotorFault fault);

class MotorStepJudge {
public:
    using Positions = std::array<int, kAudioFaderCount>;

    static constexpr int kTolerance = 3;
    static constexpr int kOvershoot = 8;
    static constexpr std::int64_t kArriveMs = 500;
    static constexpr std::int64_t kHoldMs = 200;
    static constexpr std::int64_t kGiveUpMs = 2000;

    // at: every fader's position when the command went out at commandMs.
    MotorStepJudge(int fader, int target, std::int64_t commandMs, const Positions& at);

    // A report's fader positions at ms.
    void Feed(std::int64_t ms, const Positions& positions);
    // Time passes without a report (a fader standing still reports nothing).
    void Tick(std::int64_t ms);

    // Settled and held for kHoldMs, or given up at kGiveUpMs.
    bool Done() const { return m_done; }
    // When a Tick without a report in between would end the step.
    std::int64_t Deadline() const { return m_inBandSince >= 0 ? m_inBandSince + kHoldMs : m_commandMs + kGiveUpMs; }
    // The worst fault seen; None for a step that settled within kArriveMs.
    MotorFault Fault() const;
    // Largest distance from the target once the fader has reached or passed it (0 before).
    int WorstError() const { return m_worstError; }
    // From the command to the start of the held stay within kTolerance; -1 if never.
    std::int64_t SettleMs() const { return m_settledAt < 0 ? -1 : m_settledAt - m_commandMs; }

private:
    int m_fader;
    int m_target;
    std::int64_t m_commandMs;
    Positions m_start;
    bool m_reached = false;
    std::int64_t m_inBandSince = -1;
    std::int64_t m_settledAt = -1;
    int m_worstError = 0;
    bool m_done = false;
    bool m_overshoot = false;
    bool m_reversed = false;
    bool m_crosstalk = false;
};
