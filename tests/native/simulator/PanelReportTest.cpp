// Reports of the Jog & Shuttle, Trackball and Media Bar panels against their
// wire formats: one report per hardware event, change flag and value in place.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "simulator/model/JogShuttleModel.h"
#include "simulator/model/MediaBarModel.h"
#include "simulator/model/SimStatus.h"
#include "simulator/model/TrackballModel.h"
#include "tests/native/simulator/SimTestSupport.h"

namespace {

struct KeyPlace {
    int panel;
    const char* key;
    int changeByte, statusByte, mask;
};

class KeyEncoding : public ::testing::TestWithParam<KeyPlace> {};

TEST_P(KeyEncoding, PressAndReleaseEachMakeOneReportWithTheKeysBit) {
    const KeyPlace k = GetParam();
    SimFixture f;
    ASSERT_EQ(f.sim.Key(k.panel, k.key, true), "");
    auto down = f.Reports(k.panel);
    ASSERT_EQ(down.size(), 1u);
    EXPECT_EQ(down[0].changes.bytes[k.changeByte], k.mask);
    EXPECT_EQ(Changed(down[0]), 1);
    EXPECT_EQ(down[0].status.bytes[k.statusByte], k.mask);

    ASSERT_EQ(f.sim.Key(k.panel, k.key, false), "");
    auto up = f.Reports(k.panel);
    ASSERT_EQ(up.size(), 1u);
    EXPECT_EQ(up[0].changes.bytes[k.changeByte], k.mask);
    EXPECT_EQ(up[0].status.bytes[k.statusByte], 0);
}

INSTANTIATE_TEST_SUITE_P(
    AllPanels, KeyEncoding,
    ::testing::Values(
        // Jog & Shuttle: groups 1-3 in PanelChanges 2-4, PanelStatus 3-5.
        KeyPlace{0, "F1", 2, 3, 0x01}, KeyPlace{0, "F6", 2, 3, 0x20}, KeyPlace{0, "PLAY", 2, 3, 0x80},
        KeyPlace{0, "STOP", 3, 4, 0x01}, KeyPlace{0, "SHIFT", 3, 4, 0x08}, KeyPlace{0, "A", 3, 4, 0x10},
        KeyPlace{0, "D", 3, 4, 0x80}, KeyPlace{0, "E", 4, 5, 0x01}, KeyPlace{0, "G", 4, 5, 0x04},
        KeyPlace{0, "ENTER", 4, 5, 0x08},
        // Audio: groups 0-3 in bytes 2-5 of both blocks.
        KeyPlace{1, "FUNC", 2, 2, 0x01}, KeyPlace{1, "7_T", 2, 2, 0x80}, KeyPlace{1, "8_T", 3, 3, 0x01},
        KeyPlace{1, "MUTE", 3, 3, 0x02}, KeyPlace{1, "7_B", 4, 4, 0x01}, KeyPlace{1, "SOLO", 4, 4, 0x04},
        KeyPlace{1, "BANK", 4, 4, 0x08}, KeyPlace{1, "MONO", 4, 4, 0x10}, KeyPlace{1, "4/8_L", 5, 5, 0x01},
        KeyPlace{1, "4/8_R", 5, 5, 0x10},
        // Trackball: key i is bit i of byte 0.
        KeyPlace{2, "SHIFT", 0, 0, 0x01}, KeyPlace{2, "C", 0, 0, 0x08}, KeyPlace{2, "ENTER", 0, 0, 0x80},
        // Media Bar: A bit 0, B bit 1 of byte 0.
        KeyPlace{3, "A", 0, 0, 0x01}, KeyPlace{3, "b", 0, 0, 0x02}));

TEST(Keys, PressingADownKeyAgainReportsNothing) {
    SimFixture f;
    f.sim.Key(0, "F1", true);
    f.Take();
    EXPECT_EQ(f.sim.Key(0, "F1", true), "");
    EXPECT_TRUE(f.Take().empty());
}

TEST(Keys, StatusCarriesKeysStillHeld) {
    SimFixture f;
    f.sim.Key(0, "F1", true);
    f.sim.Key(0, "A", true);
    auto r = f.Reports(0);
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[1].changes.bytes[3], 0x10);
    EXPECT_EQ(r[1].changes.bytes[2], 0);
    EXPECT_EQ(r[1].status.bytes[3], 0x01);  // F1 still down
    EXPECT_EQ(r[1].status.bytes[4], 0x10);
}

TEST(Keys, TapReleasesAfterItsTime) {
    SimFixture f;
    ASSERT_EQ(f.sim.Tap(2, "B"), "");
    EXPECT_EQ(f.Reports(2).size(), 1u);
    f.Advance(PanelSimulator::kTapMs - 1);
    EXPECT_TRUE(f.Reports(2).empty());
    f.Advance(1);
    auto up = f.Reports(2);
    ASSERT_EQ(up.size(), 1u);
    EXPECT_EQ(up[0].status.bytes[0], 0);
}

// ---- Jog & Shuttle dial

TEST(JogDial, SetDialModeBlocksSwitchModeAndReportIt) {
    for (int mode = 0; mode < 4; ++mode) {
        SimFixture f;
        std::uint8_t block[kDialModeBlockSize] = {};
        std::memcpy(block, JogShuttleModel::kDialModeBlocks[mode], 4);
        ASSERT_EQ(f.sim.SetDialMode(block), simstatus::kOk);
        auto r = f.Reports(0);
        ASSERT_EQ(r.size(), 1u) << mode;
        EXPECT_NE(r[0].changes.bytes[0], 0);
        EXPECT_EQ(r[0].changes.bytes[1], 0);
        EXPECT_EQ(r[0].status.bytes[0], mode);
    }
}

TEST(JogDial, UnknownBlockIsRefusedAndChangesNothing) {
    SimFixture f;
    std::uint8_t block[kDialModeBlockSize] = {0x00, 0x10, 0x20, 0x01};
    EXPECT_EQ(f.sim.SetDialMode(block), simstatus::kBadArgument);
    EXPECT_EQ(f.sim.SetDialMode(nullptr), simstatus::kBadArgument);
    EXPECT_TRUE(f.Take().empty());
}

void SetMode(SimFixture& f, int mode) {
    std::uint8_t block[kDialModeBlockSize] = {};
    std::memcpy(block, JogShuttleModel::kDialModeBlocks[mode], 4);
    ASSERT_EQ(f.sim.SetDialMode(block), 0);
    f.Take();
}

int DialValue(const SimEvent& e) { return ReadLe16(e.status.bytes, 1); }

TEST(JogDial, OffReportsNoMovement) {
    SimFixture f;
    EXPECT_EQ(f.sim.TurnJog(10), "");
    EXPECT_TRUE(f.Take().empty());
}

TEST(JogDial, JogReportsStepsMovedAsSigned16Bit) {
    SimFixture f;
    SetMode(f, 1);
    struct {
        int steps;
        std::uint8_t lo, hi;
    } cases[] = {{1, 0x01, 0x00}, {-1, 0xFF, 0xFF}, {288, 0x20, 0x01}, {-300, 0xD4, 0xFE}};
    for (auto c : cases) {
        ASSERT_EQ(f.sim.TurnJog(c.steps), "");
        auto r = f.Reports(0);
        ASSERT_EQ(r.size(), 1u);
        EXPECT_NE(r[0].changes.bytes[1], 0);
        EXPECT_EQ(r[0].changes.bytes[0], 0);
        EXPECT_EQ(r[0].status.bytes[0], 1);
        EXPECT_EQ(r[0].status.bytes[1], c.lo);
        EXPECT_EQ(r[0].status.bytes[2], c.hi);
        EXPECT_EQ(DialValue(r[0]), c.steps);
    }
}

TEST(JogDial, ShuttleIsAnAbsolutePositionHeldWithinHalfATurn) {
    SimFixture f;
    SetMode(f, 2);
    f.sim.TurnJog(100);
    f.sim.TurnJog(-30);
    f.sim.TurnJog(500);
    auto r = f.Reports(0);
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(DialValue(r[0]), 100);
    EXPECT_EQ(DialValue(r[1]), 70);
    EXPECT_EQ(DialValue(r[2]), JogShuttleModel::kShuttleLimit);
    f.sim.TurnJog(1);  // against the stop: nothing moves
    EXPECT_TRUE(f.Take().empty());
}

TEST(JogDial, DmcPositionWrapsWithinOneTurn) {
    SimFixture f;
    SetMode(f, 3);
    f.sim.TurnJog(-10);
    f.sim.TurnJog(300);
    auto r = f.Reports(0);
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(DialValue(r[0]), 278);
    EXPECT_EQ(DialValue(r[1]), 2);
}

TEST(JogDial, ModeChangeStartsThePositionAtZero) {
    SimFixture f;
    SetMode(f, 2);
    f.sim.TurnJog(50);
    f.Take();
    SetMode(f, 3);
    f.sim.TurnJog(5);
    auto r = f.Reports(0);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(DialValue(r[0]), 5);
}

TEST(JogDial, KeysADoNotSwitchTheModeByThemselves) {
    SimFixture f;
    f.sim.Key(0, "B", true);
    auto r = f.Reports(0);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].changes.bytes[0], 0);
    EXPECT_EQ(r[0].status.bytes[0], 0);
}

// ---- Trackball

TEST(Trackball, BallAndRingMovementsAreByteDifferences) {
    struct {
        int dx, dy;
        std::uint8_t b1, b2, b3, b4;
    } cases[] = {{5, -3, 5, 0, 0, 3}, {-255, 255, 0, 255, 255, 0}, {0, 1, 0, 0, 1, 0}};
    for (auto c : cases) {
        SimFixture f;
        ASSERT_EQ(f.sim.MoveBall(c.dx, c.dy), "");
        auto r = f.Reports(2);
        ASSERT_EQ(r.size(), 1u);
        EXPECT_NE(r[0].changes.bytes[1], 0);
        EXPECT_EQ(r[0].changes.bytes[2], 0);
        EXPECT_EQ(r[0].status.bytes[1], c.b1);
        EXPECT_EQ(r[0].status.bytes[2], c.b2);
        EXPECT_EQ(r[0].status.bytes[3], c.b3);
        EXPECT_EQ(r[0].status.bytes[4], c.b4);
        EXPECT_EQ(r[0].status.bytes[1] - r[0].status.bytes[2], c.dx);
        EXPECT_EQ(r[0].status.bytes[3] - r[0].status.bytes[4], c.dy);
    }
}

TEST(Trackball, LargeMovementsSplitIntoReportsThatAddUp) {
    SimFixture f;
    f.sim.MoveBall(600, -20);
    f.sim.TurnRing(-300);
    int x = 0, y = 0, ring = 0, ballReports = 0, ringReports = 0;
    for (const SimEvent& e : f.Reports(2)) {
        if (e.changes.bytes[1]) {
            ++ballReports;
            x += e.status.bytes[1] - e.status.bytes[2];
            y += e.status.bytes[3] - e.status.bytes[4];
        }
        if (e.changes.bytes[2]) {
            ++ringReports;
            ring += e.status.bytes[5] - e.status.bytes[6];
        }
    }
    EXPECT_EQ(x, 600);
    EXPECT_EQ(y, -20);
    EXPECT_EQ(ring, -300);
    EXPECT_EQ(ballReports, 3);
    EXPECT_EQ(ringReports, 2);
}

TEST(Trackball, SetLedSwitchesAndReportsOnlyRealChanges) {
    SimFixture f;
    EXPECT_EQ(f.sim.SetLed(2, 3, 1), simstatus::kOk);
    auto r = f.Reports(2);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].status.bytes[7], 0x08);
    EXPECT_EQ(r[0].changes.bytes[3], 0x08);
    EXPECT_EQ(r[0].changes.bytes[0], 0);
    EXPECT_EQ(f.sim.SetLed(2, 3, 1), simstatus::kOk);
    EXPECT_TRUE(f.Take().empty());
    f.sim.Key(2, "C", true);  // later reports carry the LED state
    EXPECT_EQ(f.Reports(2)[0].status.bytes[7], 0x08);
}

TEST(Trackball, SetLedRejectsBadArguments) {
    SimFixture f;
    EXPECT_EQ(f.sim.SetLed(2, 8, 1), simstatus::kBadArgument);
    EXPECT_EQ(f.sim.SetLed(2, -1, 1), simstatus::kBadArgument);
    EXPECT_EQ(f.sim.SetLed(2, 0, 2), simstatus::kBadArgument);
    EXPECT_TRUE(f.Take().empty());
}

// ---- Media Bar

TEST(MediaBar, KnobMovementPairs) {
    struct {
        int move;
        std::uint8_t first, second;
    } cases[] = {{5, 5, 0}, {-5, 251, 255}, {-256, 0, 255}, {255, 255, 0}, {-1, 255, 255}, {1, 1, 0}};
    for (auto c : cases) {
        std::uint8_t a = 0, b = 0;
        MediaBarModel::EncodeMovement(c.move, a, b);
        EXPECT_EQ(a, c.first) << c.move;
        EXPECT_EQ(b, c.second) << c.move;
        EXPECT_EQ(MediaBarModel::DecodeMovement(a, b), c.move);
    }
}

TEST(MediaBar, EachKnobReportsInItsOwnPlace) {
    for (int k = 0; k < 8; ++k) {
        SimFixture f;
        ASSERT_EQ(f.sim.TurnKnob(k, -7), "");
        auto r = f.Reports(3);
        ASSERT_EQ(r.size(), 1u);
        EXPECT_NE(r[0].changes.bytes[1 + k], 0);
        EXPECT_EQ(Changed(r[0]), 1);
        EXPECT_EQ(r[0].status.bytes[1 + 2 * k], 249);
        EXPECT_EQ(r[0].status.bytes[2 + 2 * k], 255);
    }
}

TEST(MediaBar, BigTurnsSplitAndAddUp) {
    SimFixture f;
    f.sim.TurnKnob(4, -600);
    f.sim.TurnKnob(4, 600);
    int sum = 0;
    auto r = f.Reports(3);
    EXPECT_EQ(r.size(), 6u);
    for (const SimEvent& e : r) sum += MediaBarModel::DecodeMovement(e.status.bytes[9], e.status.bytes[10]);
    EXPECT_EQ(sum, 0);
}

TEST(MediaBar, SetLedReportsInByte9And17) {
    SimFixture f;
    ASSERT_EQ(f.sim.SetLed(3, 1, 1), simstatus::kOk);
    auto r = f.Reports(3);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].changes.bytes[9], 0x02);
    EXPECT_EQ(r[0].status.bytes[17], 0x02);
    EXPECT_EQ(f.sim.SetLed(3, 2, 1), simstatus::kBadArgument);
}

// ---- connection and versions

TEST(Connection, UnplugAndPlugReportStatesAndGateInput) {
    SimFixture f;
    ASSERT_EQ(f.sim.Plug(3, false), "");
    auto e = f.Take();
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0].kind, SimEvent::kConnection);
    EXPECT_EQ(e[0].state, 0);
    EXPECT_NE(f.sim.Key(3, "A", true), "");
    EXPECT_NE(f.sim.Plug(3, false), "");
    EXPECT_EQ(f.sim.SetLed(3, 0, 1), simstatus::kNotConnected);
    PanelVersionInfo info{};
    EXPECT_LT(f.sim.GetVersionInfo(3, &info), 0);
    EXPECT_TRUE(f.Take().empty());
    ASSERT_EQ(f.sim.Plug(3, true), "");
    e = f.Take();
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0].state, 1);
}

TEST(Connection, PowerCycleGoesAwayAndComesBackWithLedsOff) {
    SimFixture f;
    f.sim.SetLed(2, 0, 1);
    f.Take();
    ASSERT_EQ(f.sim.PowerCycle(2), "");
    EXPECT_EQ(f.Take().at(0).state, 0);
    f.Advance(PanelModel::kPowerCycleMs - 1);
    EXPECT_TRUE(f.Take().empty());
    f.Advance(1);
    auto e = f.Take();
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0].kind, SimEvent::kConnection);
    EXPECT_EQ(e[0].state, 1);
    f.sim.Key(2, "A", true);
    EXPECT_EQ(f.Reports(2).at(0).status.bytes[7], 0);
}

TEST(Versions, DifferPerPanelAndFollowSetCommands) {
    SimFixture f;
    PanelVersionInfo v[4] = {};
    for (int p = 0; p < 4; ++p) ASSERT_EQ(f.sim.GetVersionInfo(p, &v[p]), 0);
    for (int p = 1; p < 4; ++p) EXPECT_NE(std::memcmp(v[0].bytes + 4, v[p].bytes + 4, 8), 0);
    ASSERT_EQ(f.sim.SetFirmwareVersion(1, 2, 0x135), "");
    ASSERT_EQ(f.sim.SetDriverVersion(1, 1, 0x1234, 7), "");
    PanelVersionInfo info{};
    f.sim.GetVersionInfo(1, &info);
    const std::uint8_t expected[8] = {7, 0x34, 0x12, 1, 5, 3, 1, 2};
    EXPECT_EQ(std::memcmp(info.bytes + 4, expected, 8), 0);
    EXPECT_NE(f.sim.SetFirmwareVersion(1, 2, 0x1000), "");
    EXPECT_NE(f.sim.SetDriverVersion(1, 256, 0, 0), "");
}

TEST(Faults, VersionInfoAndInterfaceFailuresArePerPanel) {
    SimFixture f;
    f.sim.SetFault(1, PanelSimulator::kFailVersionInfo, true);
    f.sim.SetFault(2, PanelSimulator::kFailDeviceInterface, true);
    PanelVersionInfo info{};
    EXPECT_EQ(f.sim.GetVersionInfo(1, &info), simstatus::kInjectedFault);
    EXPECT_EQ(f.sim.GetVersionInfo(0, &info), 0);
    EXPECT_TRUE(f.sim.InterfaceFails(2, true));
    EXPECT_FALSE(f.sim.InterfaceFails(2, false));
    f.sim.Reset();
    EXPECT_EQ(f.sim.GetVersionInfo(1, &info), 0);
    EXPECT_FALSE(f.sim.InterfaceFails(2, true));
}

TEST(ResetAll, RestoresStartStateAndOnlyAnnouncesWhatChanged) {
    SimFixture f;
    PanelVersionInfo start{}, info{};
    f.sim.GetVersionInfo(1, &start);
    f.sim.SetFirmwareVersion(1, 9, 0x999);
    f.sim.SetLed(2, 4, 1);
    f.sim.Plug(3, false);
    std::vector<std::uint8_t> image(64, 0);
    f.sim.StartDownload(0, &image);
    f.Take();
    f.sim.Reset();
    std::vector<std::pair<int, int>> connections;
    bool downloadEnded = false;
    for (const SimEvent& e : f.Take()) {
        if (e.kind == SimEvent::kConnection) connections.push_back({e.panel, e.state});
        downloadEnded |= e.kind == SimEvent::kProgress && e.panel == 0;
    }
    // Jog was downloading: it ends and comes back; Media Bar was unplugged: it comes back.
    const std::vector<std::pair<int, int>> expected = {{0, 0}, {0, 1}, {3, 1}};
    EXPECT_EQ(connections, expected);
    EXPECT_TRUE(downloadEnded);
    f.sim.GetVersionInfo(1, &info);
    EXPECT_EQ(std::memcmp(start.bytes, info.bytes, sizeof info.bytes), 0);
    f.sim.Key(2, "A", true);
    EXPECT_EQ(f.Reports(2).at(0).status.bytes[7], 0);
}

TEST(Storm, DeliversRateTimesDurationAndLeavesKeysUp) {
    SimFixture f;
    ASSERT_EQ(f.sim.Storm(0, 100, 2), "");
    int reports = 0;
    for (int t = 0; t < 2100; t += 10) {
        f.Advance(10);
        reports += int(f.Reports(0).size());
    }
    EXPECT_GE(reports, 200);
    EXPECT_LE(reports, 201);
    f.sim.Key(0, "F1", true);  // F1 is up again: pressing it reports
    EXPECT_EQ(f.Reports(0).size(), 1u);
    EXPECT_NE(f.sim.Storm(0, 0, 1), "");
    EXPECT_NE(f.sim.Storm(0, 10, 0), "");
}

}  // namespace
