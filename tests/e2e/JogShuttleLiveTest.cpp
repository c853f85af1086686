// End to end: the Jog & Shuttle window with the simulated panels of the
// stand-in device library, driven through the library's control channel the
// way velsim drives it. Every wait is for a state, with a generous guard.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "device/CDeviceLibrary.h"
#include "panels/CJogShuttlePanelDlg.h"
#include "res/resource.h"
#include "tests/e2e/LiveControl.h"
#include "tests/e2e/LivePanelTest.h"
#include "tests/panels/PanelTestSupport.h"
#include "tests/support/TestWindows.h"
#include "widgets/CDialCtrl.h"

namespace {
bool StatusHas(const std::string& text) { return Control("status jog").find(text) != std::string::npos; }

class JogShuttleLiveTest : public LivePanelTest<CJogShuttlePanelDlg> {};

TEST_F(JogShuttleLiveTest, KeysGoDownAndUpWithThePanel) {
    ASSERT_EQ(Control("press jog F1"), "ok");
    EXPECT_TRUE(PumpUntil([&] { return Pushed(IDC_F1_BTN); }));
    ASSERT_EQ(Control("press jog ENTER"), "ok");
    EXPECT_TRUE(PumpUntil([&] { return Pushed(ENTER_BTN); }));
    ASSERT_EQ(Control("release jog F1"), "ok");
    EXPECT_TRUE(PumpUntil([&] { return !Pushed(IDC_F1_BTN); }));
    EXPECT_TRUE(Pushed(ENTER_BTN));
}

TEST_F(JogShuttleLiveTest, DialModeFromRadioAndKeysReachesThePanelAndComesBack) {
    ClickButton(Hwnd(), IDC_DIAL_JOG);
    EXPECT_TRUE(PumpUntil([&] { return StatusHas("dial jog"); }));
    // The panel reports its new mode: lamp and radio follow.
    EXPECT_TRUE(PumpUntil([&] { return Pushed(Dev_Jog_Led); }));
    EXPECT_TRUE(IsChecked(Hwnd(), IDC_DIAL_JOG));
    ASSERT_EQ(Control("jog 36"), "ok");
    EXPECT_TRUE(PumpUntil([&] { return wnd->Dial()->GetCount() == 36; }));

    ASSERT_EQ(Control("tap jog C"), "ok");
    EXPECT_TRUE(PumpUntil([&] { return Pushed(Dev_Shuttle_Led) && !Pushed(Dev_Jog_Led); }));
    EXPECT_TRUE(StatusHas("dial shuttle"));
    EXPECT_TRUE(IsChecked(Hwnd(), IDC_DIAL_SHUTTLE));
    EXPECT_EQ(wnd->Dial()->GetMode(), dial::Mode::kShuttle);
}
}  // namespace
