// One motor step judged from recorded position sequences: fader 0 from 0 to
// 128, commanded at 0 ms, the other faders at 50; every sample is one report.
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "panels/MotorStepJudge.h"

namespace {

struct Sample {
    std::int64_t ms;
    int position;     // fader 0
    int other = 50;   // fader 5
};

struct StepCase {
    const char* name;
    std::vector<Sample> samples;
    MotorFault fault;
    std::int64_t settleMs;  // -1: never settled
    int worstError;
};

TEST(MotorStepJudge, JudgesRecordedSteps) {
    const StepCase cases[] = {
        {"clean", {{100, 60}, {300, 126}, {400, 128}}, MotorFault::None, 300, 2},
        {"edge of the band counts", {{500, 125}}, MotorFault::None, 500, 3},
        {"one outside the band does not", {{500, 124}, {2100, 124}}, MotorFault::Stall, -1, 0},
        {"there after 501 ms is slow", {{501, 128}}, MotorFault::Slow, 501, 0},
        {"leaves the band before the hold", {{300, 128}, {450, 133}, {600, 128}}, MotorFault::Slow, 600, 5},
        {"there at 1.9 s still gets its hold", {{1900, 128}}, MotorFault::Slow, 1900, 0},
        {"never there", {{300, 90}, {2000, 90}}, MotorFault::Stall, -1, 0},
        {"8 past is no overshoot", {{200, 136}, {300, 128}}, MotorFault::None, 300, 8},
        {"9 past is", {{200, 137}, {300, 128}}, MotorFault::Overshoot, 300, 9},
        {"stays put", {{100, 0}, {200, 0}}, MotorFault::Stall, -1, 0},
        {"reversed: starts above and climbs", {}, MotorFault::Reversed, -1, 0},
        {"a neighbour moves 4", {{100, 128, 54}}, MotorFault::Crosstalk, 100, 0},
        {"a neighbour moves 3", {{100, 128, 53}}, MotorFault::None, 100, 0},
    };
    for (const StepCase& c : cases) {
        SCOPED_TRACE(c.name);
        MotorStepJudge::Positions at{};
        at.fill(50);
        at[0] = 0;
        std::vector<Sample> samples = c.samples;
        if (samples.empty()) {  // from 140 down to 128, but it goes up
            at[0] = 140;
            samples = {{100, 150}, {300, 160}, {2100, 160}};
        }
        MotorStepJudge judge(0, 128, 0, at);
        for (const Sample& s : samples) {
            MotorStepJudge::Positions p = at;
            p[0] = s.position;
            p[5] = s.other;
            judge.Feed(s.ms, p);
        }
        judge.Tick(samples.back().ms + MotorStepJudge::kHoldMs);
        judge.Tick(MotorStepJudge::kGiveUpMs + MotorStepJudge::kHoldMs);
        EXPECT_TRUE(judge.Done());
        EXPECT_EQ(MotorFaultName(c.fault), std::string(MotorFaultName(judge.Fault())));
        EXPECT_EQ(c.settleMs, judge.SettleMs());
        EXPECT_EQ(c.worstError, judge.WorstError());
    }
}

}  // namespace
