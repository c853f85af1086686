// End to end: the main window lends each panel to its panel window and takes it
// back, with the simulated panels of the stand-in device library.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/CMainPanelDlg.h"
#include "panels/CPanelFrameDlg.h"
#include "res/resource.h"
#include "tests/e2e/LiveControl.h"
#include "tests/e2e/LiveMainWindowTest.h"
#include "tests/panels/PanelTestSupport.h"
#include "tests/support/TestWindows.h"

namespace {
constexpr int kButtons[kPanelCount] = {IDC_JOG_BTN, IDC_AUDIO_BTN, IDC_TRACKBALL_BTN, IDC_MEDIABAR_BTN};
const char* const kNames[kPanelCount] = {"jog", "audio", "trackball", "mediabar"};

class MainWindowLendingLiveTest : public LiveMainWindowTest<> {};

TEST_F(MainWindowLendingLiveTest, EachPanelGoesToItsWindowAndComesBackWhenUnplugged) {
    for (int p = 0; p < kPanelCount; ++p) {
        SCOPED_TRACE(kNames[p]);
        ASSERT_TRUE(PumpUntil([&] { return IsEnabled(Main(), kButtons[p]) && main->EventInterface(p); }));
        ClickButton(Main(), kButtons[p]);
        CPanelFrameDlg* panel = main->PanelWindow(p);
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(main->DeviceInterface(p), nullptr);
        EXPECT_EQ(main->EventInterface(p), nullptr);
        ASSERT_TRUE(PumpUntil([&] { return panel->IsConnected(); }));

        ClickButton(panel->GetSafeHwnd(), IDC_MODE_TEST);
        ASSERT_TRUE(
            PumpUntil([&] { return Control(std::string("status ") + kNames[p]).find(" test ") != std::string::npos; }));
        ClickButton(panel->GetSafeHwnd(), IDC_MODE_NORMAL);

        ASSERT_EQ(Control(std::string("unplug ") + kNames[p]), "ok");
        ASSERT_TRUE(PumpUntil([&] { return main->PanelWindow(p) == nullptr; }));
        EXPECT_NE(main->EventInterface(p), nullptr);  // taken back
        ASSERT_EQ(Control(std::string("plug ") + kNames[p]), "ok");
    }
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(MainWindowLendingLiveTest, ClosingThePanelWindowGivesThePanelBack) {
    ASSERT_TRUE(PumpUntil([&] { return main->EventInterface(kPanelJogShuttle) != nullptr; }));
    ClickButton(Main(), IDC_JOG_BTN);
    CPanelFrameDlg* jog = main->PanelWindow(kPanelJogShuttle);
    ASSERT_NE(jog, nullptr);
    // Enter and Escape leave it open; the close box hands it back.
    jog->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    jog->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    PumpMessages();
    EXPECT_EQ(main->PanelWindow(kPanelJogShuttle), jog);
    EXPECT_TRUE(::IsWindowVisible(jog->GetSafeHwnd()));
    jog->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(PumpUntil([&] { return main->PanelWindow(kPanelJogShuttle) == nullptr; }));
    EXPECT_NE(main->DeviceInterface(kPanelJogShuttle), nullptr);
    // And the panel can be lent again.
    ClickButton(Main(), IDC_JOG_BTN);
    EXPECT_NE(main->PanelWindow(kPanelJogShuttle), nullptr);
}
}  // namespace
