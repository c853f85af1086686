// End to end: the Media Bar window with the simulated panel of the stand-in
// device library, driven through the library's control channel.
#include <gtest/gtest.h>

#include "device/CDeviceLibrary.h"
#include "panels/CMediaBarPanelDlg.h"
#include "res/resource.h"
#include "tests/e2e/LiveControl.h"
#include "tests/e2e/LivePanelTest.h"
#include "tests/panels/PanelTestSupport.h"
#include "tests/support/TestWindows.h"
#include "widgets/CDialCtrl.h"

namespace {
class MediaBarLiveTest : public LivePanelTest<CMediaBarPanelDlg> {
protected:
    bool LampShown(int key) { return ::IsWindowVisible(wnd->Key(key).Lamp().GetSafeHwnd()) != FALSE; }
};

// The release asks the panel to toggle the key's LED; the lamp shows only
// when the panel reports its LED switched.
TEST_F(MediaBarLiveTest, KeyReleaseTogglesTheLedAndTheLampFollowsThePanel) {
    ASSERT_EQ(Control("press mediabar B"), "ok");
    EXPECT_TRUE(PumpUntil([&] { return Pushed(Dev_B_Button); }));
    EXPECT_FALSE(LampShown(1));
    ASSERT_EQ(Control("release mediabar B"), "ok");
    EXPECT_TRUE(PumpUntil([&] { return !Pushed(Dev_B_Button) && LampShown(1); }));
    EXPECT_FALSE(LampShown(0));
    ASSERT_EQ(Control("tap mediabar B"), "ok");
    EXPECT_TRUE(PumpUntil([&] { return !LampShown(1); }));
}

TEST_F(MediaBarLiveTest, KnobsTurnBothWays) {
    ASSERT_EQ(Control("knob 3 -5"), "ok");
    EXPECT_TRUE(PumpUntil([&] { return wnd->Knob(2)->GetCount() == -5; }));
    // -256 in the panel's 255 form leaves the knob's range and starts it again.
    ASSERT_EQ(Control("knob 8 -300"), "ok");
    EXPECT_TRUE(PumpUntil([&] { return wnd->Knob(7)->GetCount() == -44; }));
    ASSERT_EQ(Control("knob 1 42"), "ok");
    EXPECT_TRUE(PumpUntil([&] { return wnd->Knob(0)->GetCount() == 42; }));
    EXPECT_EQ(wnd->Knob(2)->GetCount(), -5);
}
}  // namespace
