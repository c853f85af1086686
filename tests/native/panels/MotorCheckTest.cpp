// The motor check against a simulated panel: every held fader moves 20 a
// report (every 10 ms) toward its target, except one that stalls.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "panels/MotorCheck.h"

namespace {

struct Panel : IMotorDriver {
    MotorCheck::Positions positions{};
    std::array<int, kAudioFaderCount> target{};
    std::array<bool, kAudioFaderCount> held{};
    int stalled = -1;
    std::vector<int> handedBack;  // faders, in the order they were let go
    void SetFader(int fader, int hold, int position) override {
        held[fader] = hold == 1;
        target[fader] = position;
        if (!held[fader]) handedBack.push_back(fader);
    }
    void Move() {
        for (int f = 0; f < kAudioFaderCount; ++f) {
            if (!held[f] || f == stalled) continue;
            const int d = target[f] - positions[f];
            positions[f] += std::abs(d) <= 20 ? d : (d > 0 ? 20 : -20);
        }
    }
};

TEST(MotorCheck, JudgesEachFaderAndHandsEveryOneBack) {
    const struct {
        const char* name;
        int stalled;
        std::int64_t stopAtMs;  // 0: runs to its end
    } cases[] = {{"clean panel", -1, 0}, {"fader 4 stalls", 3, 0}, {"stopped half way", -1, 4000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Panel panel;
        panel.stalled = c.stalled;
        MotorCheck check(panel);
        check.Start(0, panel.positions);
        std::int64_t ms = 0;
        while (check.Running() && ms < 120000) {
            ms += 10;
            if (ms == c.stopAtMs) check.Stop();
            panel.Move();
            check.Feed(ms, panel.positions);
        }
        EXPECT_FALSE(check.Running());
        for (bool held : panel.held) EXPECT_FALSE(held);
        if (c.stopAtMs) {
            EXPECT_GE(panel.handedBack.size(), size_t{kAudioFaderCount});
            EXPECT_FALSE(check.Results()[kAudioFaderCount - 1].done);
            continue;
        }
        EXPECT_EQ(panel.handedBack.size(), size_t{kAudioFaderCount});
        for (int f = 0; f < kAudioFaderCount; ++f) {
            SCOPED_TRACE(f);
            const MotorFaderResult& r = check.Results()[f];
            EXPECT_TRUE(r.done);
            EXPECT_EQ(f == c.stalled ? MotorFault::Stall : MotorFault::None, r.fault);
            if (f != c.stalled) {
                EXPECT_LE(r.slowestSettleMs, 140);  // 255 at 20 a report
            }
        }
    }
}

}  // namespace
