// End to end: the Trackball window with the simulated panel of the stand-in
// device library, driven through the library's control channel.
#include <gtest/gtest.h>

#include "device/CDeviceLibrary.h"
#include "panels/CTrackballPanelDlg.h"
#include "res/resource.h"
#include "tests/e2e/LiveControl.h"
#include "tests/e2e/LivePanelTest.h"
#include "tests/panels/PanelTestSupport.h"
#include "tests/support/TestWindows.h"
#include "widgets/CDialCtrl.h"

namespace {
class TrackballLiveTest : public LivePanelTest<CTrackballPanelDlg> {};

TEST_F(TrackballLiveTest, KeysBallAndRingFollowThePanel) {
    ASSERT_EQ(Control("press trackball ENTER"), "ok");
    EXPECT_TRUE(PumpUntil([&] { return Pushed(ENTER_BTN); }));
    ASSERT_EQ(Control("release trackball ENTER"), "ok");
    EXPECT_TRUE(PumpUntil([&] { return !Pushed(ENTER_BTN); }));

    ASSERT_EQ(Control("ball 30 -20"), "ok");
    EXPECT_TRUE(PumpUntil([&] { return wnd->Dial()->GetBallMovement() == dial::Point{30, -20}; }));
    ASSERT_EQ(Control("ball 200 0"), "ok");
    EXPECT_TRUE(PumpUntil([&] { return wnd->Dial()->GetBallMovement() == dial::Point{50, 0}; }));

    ASSERT_EQ(Control("ring -7"), "ok");
    EXPECT_TRUE(PumpUntil([&] { return wnd->Dial()->GetCount() == -7; }));
    ASSERT_EQ(Control("ring 150"), "ok");
    EXPECT_TRUE(PumpUntil([&] { return wnd->Dial()->GetCount() == 143; }));
}
}  // namespace
