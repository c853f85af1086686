// The Panel Check's rules on made-up report sequences: each rule's pass, each
// fault, and the edges (8 s held, 30 ms between release and press, the
// sixteenths of a fader's travel, 10 steps of a knob).
#include <gtest/gtest.h>

#include <vector>

#include "panels/PanelCheck.h"

namespace {
// A Media Bar-shaped check: keys A and B, then knob 1; tests of other panels
// use their own shapes.
PanelCheck MediaBarCheck() {
    return PanelCheck(kPanelMediaBar, {{"A", CheckKind::Key}, {"B", CheckKind::Key}, {"Knob 1", CheckKind::Steps}});
}

struct KeyEvent {
    bool down;
    std::uint64_t ms;
};

struct KeyCase {
    const char* what;
    std::vector<KeyEvent> events;
    std::uint64_t tickMs;  // a tick after the events, 0 for none
    CheckState expected;
};

TEST(PanelCheckTest, KeyRules) {
    const KeyCase cases[] = {
        {"never touched", {}, 0, CheckState::Untested},
        {"pressed, not yet released", {{true, 100}}, 0, CheckState::Partly},
        {"a release without its press", {{false, 100}}, 0, CheckState::Partly},
        {"press and release", {{true, 100}, {false, 300}}, 0, CheckState::Checked},
        {"held exactly 8 s", {{true, 1000}, {false, 9000}}, 0, CheckState::Checked},
        {"held 8 s and 1 ms", {{true, 1000}, {false, 9001}}, 0, CheckState::Stuck},
        {"still held 8 s later, by the tick", {{true, 1000}}, 9001, CheckState::Stuck},
        {"still held, tick at exactly 8 s", {{true, 1000}}, 9000, CheckState::Partly},
        {"stuck stays stuck after a good press", {{true, 0}, {false, 9000}, {true, 9500}, {false, 9600}}, 0,
         CheckState::Stuck},
        {"pressed again 29 ms after release", {{true, 0}, {false, 100}, {true, 129}, {false, 200}}, 0,
         CheckState::Chatter},
        {"pressed again 30 ms after release", {{true, 0}, {false, 100}, {true, 130}, {false, 200}}, 0,
         CheckState::Checked},
        {"bounce within one batch", {{true, 50}, {false, 50}, {true, 50}, {false, 50}}, 0, CheckState::Chatter},
    };
    for (const KeyCase& c : cases) {
        PanelCheck check = MediaBarCheck();
        for (const KeyEvent& e : c.events)
            check.Feed(MediaBarReportAction::Key(1, e.down ? 1 : 0), e.ms);
        if (c.tickMs) check.Tick(c.tickMs);
        EXPECT_EQ(check.Controls()[1].State(), c.expected) << c.what;
        EXPECT_EQ(check.Controls()[0].State(), CheckState::Untested) << c.what << ": key A untouched";
    }
}

struct FaderCase {
    const char* what;
    std::vector<int> positions;
    CheckState expected;
    int sixteenths;
};

std::vector<int> Sweep(int from, int to, int step) {
    std::vector<int> out;
    for (int v = from; v <= to; v += step) out.push_back(v);
    return out;
}

TEST(PanelCheckTest, FaderRules) {
    std::vector<int> fullTravel = Sweep(0, 255, 16);
    fullTravel.push_back(255);
    std::vector<int> deadZone = Sweep(0, 60, 4);
    for (int v : Sweep(136, 255, 4)) deadZone.push_back(v);
    const FaderCase cases[] = {
        {"untouched", {}, CheckState::Untested, 0},
        {"one sixteenth each, ends 0 and 255", fullTravel, CheckState::Checked, 16},
        {"ends at 5 and 250 exactly", {5, 16, 32, 48, 64, 80, 96, 112, 128, 144, 160, 176, 192, 208, 224, 250},
         CheckState::Checked, 16},
        {"low end 6 never reaches the end", {6, 16, 32, 48, 64, 80, 96, 112, 128, 144, 160, 176, 192, 208, 224, 255},
         CheckState::Partly, 16},
        {"high end 249 never reaches the end", {0, 16, 32, 48, 64, 80, 96, 112, 128, 144, 160, 176, 192, 208, 224, 249},
         CheckState::Partly, 16},
        {"both ends, one sixteenth (112-127) skipped",
         {0, 16, 32, 48, 64, 80, 96, 111, 128, 144, 160, 176, 192, 208, 224, 255}, CheckState::Partly, 15},
        {"dead zone 61-135 with both ends", deadZone, CheckState::Partly, 12},
        {"76 to 127 over the whole travel", Sweep(76, 127, 1), CheckState::Partly, 4},
    };
    for (const FaderCase& c : cases) {
        PanelCheck check(kPanelAudio, {{"MUTE", CheckKind::Key}, {"Fader 1", CheckKind::Fader}});
        for (int v : c.positions) check.Feed(AudioAction{AudioAction::FaderPos, 0, v}, 0);
        EXPECT_EQ(check.Controls()[1].State(), c.expected) << c.what;
        EXPECT_EQ(check.Controls()[1].SixteenthsSeen(), c.sixteenths) << c.what;
    }
}

// Knob, ring, jog, shuttle, ball: a list of report steps of one panel and the
// state of one control after them.
struct TurnCase {
    const char* what;
    int panel;
    std::vector<CheckControl> controls;
    std::vector<std::vector<int>> steps;  // per panel: {kind, value[, value]}
    int control;
    CheckState expected;
};

void FeedTurn(PanelCheck& check, const std::vector<int>& s) {
    switch (check.Panel()) {
    case kPanelJogShuttle:
        check.Feed(JogReportAction{static_cast<JogReportAction::Kind>(s[0]), s[1], -1}, 0);
        break;
    case kPanelTrackball:
        check.Feed(s[0] == 0 ? TrackballReportAction::Ball(s[1], s[2]) : TrackballReportAction::Ring(s[1]), 0);
        break;
    default:
        check.Feed(MediaBarReportAction::Knob(0, s[0]), 0);
        break;
    }
}

TEST(PanelCheckTest, TurningRules) {
    const std::vector<CheckControl> bar = {{"A", CheckKind::Key}, {"Knob 1", CheckKind::Steps}};
    const std::vector<CheckControl> jog = {{"A", CheckKind::Key}, {"JOG dial", CheckKind::Direction},
                                           {"SHUTTLE", CheckKind::Direction}};
    const std::vector<CheckControl> ball = {{"A", CheckKind::Key}, {"Ball X", CheckKind::Direction},
                                            {"Ball Y", CheckKind::Direction}, {"Z ring", CheckKind::Steps}};
    const int mode = JogReportAction::ShowDialMode, turn = JogReportAction::RotateDial;
    const int command = JogReportAction::DialCommand;
    const TurnCase cases[] = {
        {"knob 10 each way", kPanelMediaBar, bar, {{4}, {6}, {-10}}, 1, CheckState::Checked},
        {"knob 9 down", kPanelMediaBar, bar, {{10}, {-5}, {-4}}, 1, CheckState::Partly},
        {"knob one way only", kPanelMediaBar, bar, {{200}}, 1, CheckState::Partly},
        {"ring 10 each way", kPanelTrackball, ball, {{1, -10}, {1, 10}}, 3, CheckState::Checked},
        {"ring 9 up", kPanelTrackball, ball, {{1, -10}, {1, 9}}, 3, CheckState::Partly},
        {"jog dial both ways in JOG", kPanelJogShuttle, jog, {{mode, kDialJog}, {turn, 3}, {turn, -1}}, 1,
         CheckState::Checked},
        {"jog dial turned before any mode", kPanelJogShuttle, jog, {{turn, 3}, {turn, -1}}, 1, CheckState::Untested},
        {"jog dial turned in DMC", kPanelJogShuttle, jog, {{mode, kDialDmc}, {turn, 3}, {turn, 0}}, 1,
         CheckState::Untested},
        {"shuttle positions in SHUTTLE, by key C", kPanelJogShuttle, jog,
         {{command, kDialShuttle}, {turn, 40}, {turn, 0}, {turn, -144}}, 2, CheckState::Checked},
        {"shuttle turns in JOG prove the jog dial only", kPanelJogShuttle, jog, {{mode, kDialJog}, {turn, 5}, {turn, -5}},
         2, CheckState::Untested},
        {"shuttle one side", kPanelJogShuttle, jog, {{mode, kDialShuttle}, {turn, 7}, {turn, 0}}, 2,
         CheckState::Partly},
        {"ball X both ways", kPanelTrackball, ball, {{0, 3, 0}, {0, -1, 0}}, 1, CheckState::Checked},
        {"ball Y one way while X went both", kPanelTrackball, ball, {{0, 3, 2}, {0, -1, 0}}, 2, CheckState::Partly},
    };
    for (const TurnCase& c : cases) {
        PanelCheck check(c.panel, c.controls);
        for (const std::vector<int>& s : c.steps) FeedTurn(check, s);
        EXPECT_EQ(check.Controls()[static_cast<size_t>(c.control)].State(), c.expected) << c.what;
    }
}

struct VerdictCase {
    const char* what;
    bool pressA, pressB, turnKnob, markFailed, markNoisy, automaticFails;
    bool passed;
    int checked;
};

TEST(PanelCheckTest, Verdict) {
    const VerdictCase cases[] = {
        {"nothing done", false, false, false, false, false, false, false, 0},
        {"all proven", true, true, true, false, false, false, true, 3},
        {"one key untested", true, false, true, false, false, false, false, 2},
        {"all proven, one marked failed by hand", true, true, true, true, false, false, false, 2},
        {"all proven, knob noisy", true, true, true, false, true, false, false, 2},
        {"all proven, an automatic check failed", true, true, true, false, false, true, false, 3},
    };
    for (const VerdictCase& c : cases) {
        PanelCheck check = MediaBarCheck();
        const int row = c.automaticFails ? check.AddResult("Motor 1") : -1;
        if (row >= 0) check.SetResult(row, CheckState::Failed, "stall");
        for (int key = 0; key < 2; ++key)
            if (key == 0 ? c.pressA : c.pressB) {
                check.Feed(MediaBarReportAction::Key(key, 1), 10);
                check.Feed(MediaBarReportAction::Key(key, 0), 200);
            }
        if (c.turnKnob) {
            check.Feed(MediaBarReportAction::Knob(0, 12), 0);
            check.Feed(MediaBarReportAction::Knob(0, -12), 0);
        }
        if (c.markFailed) check.MarkFailed(0, "LED never lights");
        if (c.markNoisy) check.MarkNoisy(2);
        EXPECT_EQ(check.Passed(), c.passed) << c.what;
        EXPECT_EQ(check.CheckedCount(), c.checked) << c.what;
        EXPECT_EQ(check.RowCount(), row >= 0 ? 4 : 3) << c.what;
    }
}
}  // namespace
