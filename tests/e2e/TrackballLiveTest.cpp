// End to end: the Trackball window with the simulated panel of the stand-in
// device library, driven through the library's control channel.
#include <gtest/gtest.h>

#include "CDeviceLibrary.h"
#include "CDialCtrl.h"
#include "CTrackballPanelDlg.h"
#include "LiveControl.h"
#include "LivePanelTest.h"
#include "PanelTestSupport.h"
#include "TestWindows.h"
#include "resource.h"

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
