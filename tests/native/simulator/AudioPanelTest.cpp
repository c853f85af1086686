// The Audio panel: motor faders, lamps, GetState and the busy word after a
// mode change.
#include <gtest/gtest.h>

#include <cstring>

#include "simulator/model/AudioModel.h"
#include "simulator/model/SimStatus.h"
#include "tests/native/simulator/SimTestSupport.h"

namespace {

TEST(AudioFaders, HandMovesReportTheFadersBitAndPosition) {
    struct {
        int fader, pos, changeByte, mask;
    } cases[] = {{0, 10, 6, 0x01}, {3, 200, 6, 0x08}, {7, 1, 6, 0x80}, {8, 250, 7, 0x01}};
    for (auto c : cases) {
        SimFixture f;
        ASSERT_EQ(f.sim.MoveFader(c.fader, c.pos), "");
        auto r = f.Reports(1);
        ASSERT_EQ(r.size(), 1u);
        EXPECT_EQ(r[0].changes.bytes[c.changeByte], c.mask);
        EXPECT_EQ(Changed(r[0]), 1);
        EXPECT_EQ(r[0].status.bytes[6 + c.fader], c.pos);
    }
}

TEST(AudioFaders, MovingToWhereItIsReportsNothing) {
    SimFixture f;
    f.sim.MoveFader(2, 99);
    f.Take();
    EXPECT_EQ(f.sim.MoveFader(2, 99), "");
    EXPECT_TRUE(f.Take().empty());
}

TEST(AudioFaders, HeldFaderIsMovedByTheMotorAndCannotBePushed) {
    SimFixture f;
    f.sim.MoveFader(4, 10);
    f.Take();
    ASSERT_EQ(f.sim.SetFader(4, 1, 180), simstatus::kOk);
    f.Advance(100);
    auto r = f.Reports(1);
    ASSERT_FALSE(r.empty());
    EXPECT_EQ(r.back().changes.bytes[6], 0x10);
    EXPECT_EQ(r.back().status.bytes[10], 180);
    EXPECT_NE(f.sim.MoveFader(4, 20), "");
    EXPECT_TRUE(f.Take().empty());
    // Letting go does not move it; the hand has it again.
    ASSERT_EQ(f.sim.SetFader(4, 0, 3), simstatus::kOk);
    EXPECT_TRUE(f.Take().empty());
    EXPECT_EQ(f.sim.MoveFader(4, 20), "");
    EXPECT_EQ(f.Reports(1).at(0).status.bytes[10], 20);
}

TEST(AudioFaders, HoldingWithoutMovingReportsNothing) {
    SimFixture f;
    f.sim.MoveFader(8, 77);
    f.Take();
    EXPECT_EQ(f.sim.SetFader(8, 1, 77), simstatus::kOk);
    EXPECT_TRUE(f.Take().empty());
}

TEST(AudioFaders, BadArgumentsAreRefused) {
    SimFixture f;
    EXPECT_EQ(f.sim.SetFader(9, 1, 0), simstatus::kBadArgument);
    EXPECT_EQ(f.sim.SetFader(-1, 1, 0), simstatus::kBadArgument);
    EXPECT_EQ(f.sim.SetFader(0, 2, 0), simstatus::kBadArgument);
    EXPECT_NE(f.sim.MoveFader(0, 256), "");
    EXPECT_NE(f.sim.MoveFader(9, 0), "");
    EXPECT_TRUE(f.Take().empty());
}

TEST(AudioState, GetStateHasPositionsAndLampBits) {
    SimFixture f;
    for (int i = 0; i < 9; ++i) f.sim.MoveFader(i, 20 * i + 1);
    ASSERT_EQ(f.sim.SetLed(1, 0, 1), 0);   // FUNC: group 0 bit 0
    ASSERT_EQ(f.sim.SetLed(1, 9, 1), 0);   // MUTE: group 1 bit 1
    ASSERT_EQ(f.sim.SetLed(1, 28, 1), 0);  // 4/8_R: group 3 bit 4
    ASSERT_EQ(f.sim.SetLed(1, 29, 1), 0);  // OVER
    f.sim.Key(1, "SOLO", true);
    PanelStatus s{};
    ASSERT_EQ(f.sim.GetState(&s), 0);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(s.bytes[6 + i], 20 * i + 1);
    EXPECT_EQ(s.bytes[15], 0x01);
    EXPECT_EQ(s.bytes[16], 0x02);
    EXPECT_EQ(s.bytes[17], 0x00);
    EXPECT_EQ(s.bytes[18], 0x10);
    EXPECT_EQ(s.bytes[19], 0x01);  // OVER and DATA kept apart from the key lamps
    EXPECT_EQ(s.bytes[4], 0x04);   // SOLO held
    EXPECT_EQ(f.sim.GetState(nullptr), simstatus::kBadArgument);
}

TEST(AudioState, LampsAreNotReportedAndBadNumbersRefused) {
    SimFixture f;
    EXPECT_EQ(f.sim.SetLed(1, 30, 1), 0);
    EXPECT_TRUE(f.Take().empty());
    EXPECT_EQ(f.sim.SetLed(1, 31, 1), simstatus::kBadArgument);
    EXPECT_EQ(f.sim.SetLed(1, -1, 0), simstatus::kBadArgument);
    EXPECT_EQ(f.sim.SetLed(1, 3, 7), simstatus::kBadArgument);
}

TEST(AudioState, UnpluggedPanelRefusesGetStateAndLeavesBlockAlone) {
    SimFixture f;
    f.sim.Plug(1, false);
    PanelStatus s{};
    s.bytes[6] = 0xAB;
    EXPECT_EQ(f.sim.GetState(&s), simstatus::kNotConnected);
    EXPECT_EQ(s.bytes[6], 0xAB);
}

TEST(AudioState, PowerOnClearsLampsAndHoldsButFadersStayPut) {
    SimFixture f;
    f.sim.SetLed(1, 5, 1);
    f.sim.SetFader(2, 1, 33);
    f.Advance(100);
    f.sim.Plug(1, false);
    f.sim.Plug(1, true);
    PanelStatus s{};
    ASSERT_EQ(f.sim.GetState(&s), 0);
    EXPECT_EQ(s.bytes[15], 0);
    EXPECT_EQ(s.bytes[8], 33);
    EXPECT_EQ(f.sim.MoveFader(2, 34), "");  // no longer held
}

TEST(PendingWord, NonZeroForAWhileAfterSetModeThenZero) {
    SimFixture f;
    PanelDeviceStatus st{};
    ASSERT_EQ(f.sim.GetDeviceStatus(1, &st), 0);
    EXPECT_EQ(ReadLe32(st.bytes, kStatusPendingOffset), 0);
    ASSERT_EQ(f.sim.SetMode(1, 0), 0);
    f.sim.GetDeviceStatus(1, &st);
    EXPECT_NE(ReadLe32(st.bytes, kStatusPendingOffset), 0);
    f.clock.Advance(PanelModel::kPendingMs - 1);
    f.sim.GetDeviceStatus(1, &st);
    EXPECT_NE(ReadLe32(st.bytes, kStatusPendingOffset), 0);
    f.clock.Advance(1);
    f.sim.GetDeviceStatus(1, &st);
    EXPECT_EQ(ReadLe32(st.bytes, kStatusPendingOffset), 0);
}

TEST(PendingWord, ModesAreNormalAndTestOnly) {
    SimFixture f;
    EXPECT_EQ(f.sim.SetMode(1, 1), 0);
    EXPECT_EQ(f.sim.SetMode(1, 2), simstatus::kBadArgument);
    PanelDeviceStatus st{};
    f.sim.GetDeviceStatus(1, &st);
    EXPECT_EQ(ReadLe32(st.bytes, 4), 1);
}

TEST(PendingWord, UnpluggedStatusIsAFailureWithPendingZero) {
    // A caller that loops on the pending word must not spin forever on a panel that went away.
    SimFixture f;
    f.sim.SetMode(1, 0);
    f.sim.Plug(1, false);
    PanelDeviceStatus st{};
    std::memset(st.bytes, 0xFF, sizeof st.bytes);
    EXPECT_EQ(f.sim.GetDeviceStatus(1, &st), simstatus::kNotConnected);
    EXPECT_EQ(ReadLe32(st.bytes, kStatusPendingOffset), 0);
}

}  // namespace

TEST(AudioState, StatusLineShowsPositionsHoldsAndLitLamps) {
    SimFixture f;
    for (int i = 0; i < 9; ++i) f.sim.MoveFader(i, 10 + i);
    EXPECT_NE(f.sim.Describe(1).find(" faders 10 11 12 13 14 15 16 17 18 lamps none"), std::string::npos)
        << f.sim.Describe(1);
    f.sim.SetFader(3, 1, 99);
    f.Advance(100);
    f.sim.SetLed(1, 0, 1);
    f.sim.SetLed(1, 28, 1);
    f.sim.SetLed(1, 30, 1);
    EXPECT_NE(f.sim.Describe(1).find(" faders 10 11 12 99* 14 15 16 17 18 lamps FUNC,4/8_R,DATA"), std::string::npos)
        << f.sim.Describe(1);
}
