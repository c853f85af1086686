// The Audio panel's motor-fader check, apart from any window: each fader in
// turn is held and sent through kTargets, each step judged by a MotorStepJudge
// on the positions the panel reports, and handed back when its steps are done
// (or at the first step it stalls or runs the wrong way in).
// Stop hands every fader back, whatever the check was doing.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "panels/MotorStepJudge.h"

class IMotorDriver {
public:
    // SetFader of the Audio panel: hold 1 drives the fader to position, hold 0
    // hands it back to the user's hand.
    virtual void SetFader(int fader, int hold, int position) = 0;

protected:
    ~IMotorDriver() = default;
};

struct MotorFaderResult {
    bool done = false;
    MotorFault fault = MotorFault::None;  // the worst of its steps
    int worstError = 0;
    std::int64_t slowestSettleMs = -1;    // -1: no step settled
};

class MotorCheck {
public:
    static constexpr std::array<int, 7> kTargets = {0, 64, 128, 192, 255, 128, 0};
    using Positions = MotorStepJudge::Positions;

    explicit MotorCheck(IMotorDriver& driver) : m_driver(driver) {}

    // at: the positions the panel reported last.
    void Start(std::int64_t ms, const Positions& at);
    void Feed(std::int64_t ms, const Positions& positions);
    void Tick(std::int64_t ms);
    void Stop();

    bool Running() const { return m_step.has_value(); }
    // The fader in its steps and the step's index into kTargets, while running.
    int Fader() const { return m_fader; }
    size_t TargetIndex() const { return m_target; }
    // When the step under way is over unless a report says otherwise; -1 when none runs.
    std::int64_t Deadline() const { return m_step ? m_step->Deadline() : -1; }
    const std::array<MotorFaderResult, kAudioFaderCount>& Results() const { return m_results; }

private:
    void Command(std::int64_t ms);
    void Advance(std::int64_t ms);

    IMotorDriver& m_driver;
    std::array<MotorFaderResult, kAudioFaderCount> m_results{};
    Positions m_last{};
    int m_fader = 0;
    size_t m_target = 0;
    std::optional<MotorStepJudge> m_step;
};
