// The automatic checks against a fake panel window that records every call:
// the order in which the panel is taken into Test and given back, the lamp
// walk's verdicts with a dead lamp and a shorted pair, and the hands-off
// check's noise.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "panels/AutomaticChecks.h"

namespace {

struct FakeWindow : ICheckTarget, IMotorDriver {
    std::vector<std::string> calls;
    PanelMode mode = PanelMode::Normal;
    bool dragged = false;
    MotorCheck::Positions positions{};
    std::vector<bool> lamps = {true, false, false, true};

    bool CanDrive() const override { return true; }
    std::vector<std::string> LampNames() const override { return {"A", "B", "C", "D"}; }
    std::vector<bool> LampsShown() const override { return lamps; }
    void ShowLamps(const std::vector<bool>& lit) override { lamps = lit; }
    IMotorDriver* Motors() override { return this; }
    bool FaderDragged() const override { return dragged; }
    MotorCheck::Positions FaderPositions() override { return positions; }
    void LockFaders(bool locked) override { calls.push_back(locked ? "lock faders" : "unlock faders"); }
    void HandFadersBack() override { calls.push_back("hand back"); }
    void TakeWaitingReports() override {}
    PanelMode Mode() const override { return mode; }
    void SwitchMode(PanelMode m) override {
        mode = m;
        calls.push_back(m == PanelMode::Test ? "Test" : "Normal");
    }
    void LockMode(bool locked) override { calls.push_back(locked ? "lock mode" : "unlock mode"); }
    // The motors arrive at once: each command is reported where it asked.
    void SetFader(int fader, int hold, int position) override {
        if (hold) positions[static_cast<size_t>(fader)] = position;
        if (calls.empty() || calls.back() != "fader") calls.push_back("fader");
    }
};

PanelCheck AudioShapedCheck() {
    std::vector<CheckControl> controls;
    for (int f = 0; f < kAudioFaderCount; ++f) controls.push_back({"Fader " + std::to_string(f + 1), CheckKind::Fader});
    return PanelCheck(1, controls);
}

TEST(AutomaticChecks, MotorsTakeThePanelIntoTestAndGiveItBackAsItWas) {
    const struct {
        const char* what;
        PanelMode mode;
        bool dragged;
        std::int64_t stopAtMs;  // 0: to the end
        std::vector<std::string> calls;
    } cases[] = {
        {"from Normal", PanelMode::Normal, false, 0,
         {"lock mode", "Test", "lock faders", "fader", "unlock faders", "hand back", "unlock mode", "Normal"}},
        {"from Test", PanelMode::Test, false, 0, {"lock mode", "lock faders", "fader", "unlock faders", "hand back", "unlock mode"}},
        {"stopped", PanelMode::Normal, false, 1000,
         {"lock mode", "Test", "lock faders", "fader", "unlock faders", "hand back", "unlock mode", "Normal"}},
        {"a fader dragged", PanelMode::Normal, true, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeWindow window;
        window.mode = c.mode;
        window.dragged = c.dragged;
        PanelCheck check = AudioShapedCheck();
        AutomaticChecks checks(check, window);
        const bool started = checks.Start(AutoCheck::Motors, 0).empty();
        EXPECT_EQ(started, !c.dragged);
        for (std::int64_t ms = 10; started && checks.Running() != AutoCheck::None && ms < 60000; ms += 10) {
            if (ms == c.stopAtMs) {
                checks.Stop(ms);
                break;
            }
            checks.FaderReport(ms, window.positions);
        }
        EXPECT_EQ(checks.Running(), AutoCheck::None);
        EXPECT_EQ(window.calls, c.calls);
        EXPECT_EQ(window.mode, c.mode);
        EXPECT_EQ(check.Input(), CheckInput::Hands);
        if (!started) continue;
        const bool complete = c.stopAtMs == 0;
        EXPECT_EQ(check.CheckedCount(), complete ? kAudioFaderCount : 0);
        EXPECT_EQ(check.MotorCheckMs() > 0, complete);
        // A motor-driven fader proves nothing of its track under a hand.
        for (const ControlResult& r : check.Controls()) EXPECT_EQ(r.State(), CheckState::Untested);
    }
}

TEST(AutomaticChecks, LampWalkFailsExactlyTheLampsThatShowWrong) {
    // What the panel lights for what is commanded, as an engineer sees it.
    const struct {
        const char* what;
        int dead;                        // -1: none
        int shortedA, shortedB;          // -1: none
        bool allOnDims;                  // with every lamp on, one goes dark
        std::vector<CheckState> lamps;   // A, B, C, D
        CheckState patterns;
    } cases[] = {
        {"clean", -1, -1, -1, false, {4, CheckState::Checked}, CheckState::Checked},
        {"C dead", 2, -1, -1, false,
         {CheckState::Checked, CheckState::Checked, CheckState::Failed, CheckState::Checked}, CheckState::Checked},
        {"A and B shorted", -1, 0, 1, false,
         {CheckState::Failed, CheckState::Failed, CheckState::Checked, CheckState::Checked}, CheckState::Checked},
        {"only all on shows it", -1, -1, -1, true, {4, CheckState::Checked}, CheckState::Failed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeWindow window;
        const std::vector<bool> before = window.lamps;
        PanelCheck check = AudioShapedCheck();
        AutomaticChecks checks(check, window);
        ASSERT_TRUE(checks.Start(AutoCheck::Lamps, 0).empty());
        while (checks.AwaitsAnswer()) {
            std::vector<bool> seen = window.lamps;
            if (c.shortedA >= 0) seen[c.shortedA] = seen[c.shortedB] = window.lamps[c.shortedA] || window.lamps[c.shortedB];
            if (c.dead >= 0) seen[c.dead] = false;
            if (c.allOnDims && std::count(seen.begin(), seen.end(), true) == 4) seen[3] = false;
            checks.Answer(seen == window.lamps);
        }
        EXPECT_EQ(window.lamps, before);
        EXPECT_EQ(window.mode, PanelMode::Normal);
        std::vector<CheckState> lamps;
        for (const AutomaticResult& r : check.Results())
            if (r.name != "Lamp patterns") lamps.push_back(r.state);
        EXPECT_EQ(lamps, c.lamps);
        EXPECT_EQ(check.Results().back().state, c.patterns) << check.Results().back().detail;
    }
}

TEST(AutomaticChecks, HandsOffMarksWhatMovesWithinTenSecondsOnly) {
    FakeWindow window;
    PanelCheck check = AudioShapedCheck();
    AutomaticChecks checks(check, window);
    ASSERT_TRUE(checks.Start(AutoCheck::HandsOff, 1000).empty());
    EXPECT_TRUE(window.calls.empty()) << "hands off sends nothing and leaves the mode alone";
    check.Feed(AudioAction{AudioAction::FaderPos, 2, 100}, 5000);
    checks.Tick(1000 + AutomaticChecks::kHandsOffMs - 1);
    EXPECT_EQ(checks.Running(), AutoCheck::HandsOff);
    checks.Tick(1000 + AutomaticChecks::kHandsOffMs);
    EXPECT_EQ(checks.Running(), AutoCheck::None);
    check.Feed(AudioAction{AudioAction::FaderPos, 5, 100}, 12000);  // hands back on the panel
    EXPECT_EQ(check.Controls()[2].State(), CheckState::Noisy);
    EXPECT_EQ(check.Controls()[5].State(), CheckState::Partly);
    EXPECT_EQ(check.Results().back().name, "Hands off");
    EXPECT_EQ(check.Results().back().state, CheckState::Checked);
    EXPECT_EQ(check.Results().back().detail, "moved in 10 s: Fader 3");
}

}  // namespace
