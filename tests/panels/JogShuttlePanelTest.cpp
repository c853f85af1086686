// The Jog & Shuttle window: its keys, lamps and dial, the reports it shows and
// the dial-mode commands it sends.
#include <gtest/gtest.h>

#include <cstring>

#include "contract/PanelIids.h"
#include "panels/CJogShuttlePanelDlg.h"
#include "panels/JogShuttleLayout.h"
#include "res/resource.h"
#include "tests/panels/PanelTestSupport.h"
#include "tests/support/TestWindows.h"
#include "widgets/CDialCtrl.h"

using Log = std::vector<std::string>;

namespace {
class JogShuttlePanelTest : public PanelWindowTest<CJogShuttlePanelDlg, kPanelJogShuttle> {
protected:
    CDialCtrl& Dial() const { return *wnd->Dial(); }
    Log DialCommands() const { return fake.log.Matching("jog.device.SetDialMode"); }
    std::vector<int> CheckedDialRadios() const {
        std::vector<int> out;
        for (int id = IDC_DIAL_OFF; id <= IDC_DIAL_DMC; ++id)
            if (IsChecked(Hwnd(), id)) out.push_back(id);
        return out;
    }
    std::vector<bool> LitLamps() const { return {Pushed(Dev_Jog_Led), Pushed(Dev_Shuttle_Led), Pushed(Dev_Dmc_led)}; }
};

TEST_F(JogShuttlePanelTest, OpenBuildsKeysLampsAndDialWhereTheyBelong) {
    OpenWindow();
    EXPECT_EQ(wnd->KeyListSize(0), 6u);
    EXPECT_EQ(wnd->KeyListSize(1), 5u);
    EXPECT_EQ(wnd->KeyListSize(2), 9u);
    for (const JogKeyLayout& key : kJogKeys) {
        SCOPED_TRACE(key.id);
        const HWND h = Item(static_cast<int>(key.id));
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(static_cast<DWORD>(::GetWindowLongW(h, GWL_STYLE)), 0x5200000Bu);
        const RECT r = ChildRect(h);
        EXPECT_EQ(r.left, key.x);
        EXPECT_EQ(r.top, key.y);
        EXPECT_EQ(r.right - r.left, key.width);
        EXPECT_EQ(r.bottom - r.top, key.height);
        EXPECT_FALSE(Pushed(static_cast<int>(key.id)));
        HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
        const int type = ::GetWindowRgn(h, rgn);
        switch (key.outline) {
        case KeyOutline::Rectangle:
            EXPECT_EQ(type, ERROR);
            break;
        case KeyOutline::Ellipse:
            EXPECT_NE(type, ERROR);
            EXPECT_TRUE(::PtInRegion(rgn, 18, 18));
            EXPECT_FALSE(::PtInRegion(rgn, 2, 2));
            EXPECT_FALSE(::PtInRegion(rgn, 34, 34));
            break;
        case KeyOutline::LeftWing:
            EXPECT_NE(type, ERROR);
            EXPECT_TRUE(::PtInRegion(rgn, 20, 20));
            EXPECT_FALSE(::PtInRegion(rgn, 49, 4));
            EXPECT_FALSE(::PtInRegion(rgn, 2, 68));
            break;
        case KeyOutline::RightWing:
            EXPECT_NE(type, ERROR);
            EXPECT_TRUE(::PtInRegion(rgn, 30, 30));
            EXPECT_FALSE(::PtInRegion(rgn, 2, 4));
            EXPECT_FALSE(::PtInRegion(rgn, 50, 68));
            break;
        }
        ::DeleteObject(rgn);
    }
    const POINT lamps[] = {{213, 111}, {229, 125}, {244, 140}};
    for (int i = 0; i < 3; ++i) {
        const RECT r = ChildRect(Item(Dev_Jog_Led + i));
        EXPECT_EQ(r.left, lamps[i].x);
        EXPECT_EQ(r.top, lamps[i].y);
        EXPECT_EQ(r.right - r.left, 12);
        EXPECT_EQ(r.bottom - r.top, 10);
    }
    EXPECT_EQ(LitLamps(), (std::vector<bool>{false, false, false}));
    const RECT dial = ChildRect(Item(IDC_DIAL_CTRL));
    EXPECT_EQ(dial.left, 71);
    EXPECT_EQ(dial.top, 171);
    EXPECT_EQ(dial.right - dial.left, 139);
    EXPECT_EQ(dial.bottom - dial.top, 139);
    EXPECT_EQ(Dial().GetMode(), dial::Mode::kOff);
    EXPECT_EQ(Dial().GetCount(), 0);
    EXPECT_EQ(CheckedDialRadios(), (std::vector<int>{IDC_DIAL_OFF}));
    EXPECT_TRUE(IsChecked(Hwnd(), IDC_MODE_NORMAL));
    EXPECT_TRUE(DialCommands().empty());
}

TEST_F(JogShuttlePanelTest, KeysShowTheirNormalAndPressedBitmaps) {
    OpenWindow();
    for (const JogKeyLayout& key : kJogKeys) {
        SCOPED_TRACE(key.id);
        const HWND h = Item(static_cast<int>(key.id));
        const int x = key.width / 2, y = key.height / 2;
        ASSERT_NE(BitmapPixel(key.normalBitmap, x, y), CLR_INVALID);
        ASSERT_NE(BitmapPixel(key.pressedBitmap, x, y), CLR_INVALID);
        EXPECT_EQ(WindowPixel(h, x, y), BitmapPixel(key.normalBitmap, x, y));
        ::SendMessageW(h, BM_SETSTATE, 1, 0);
        EXPECT_EQ(WindowPixel(h, x, y), BitmapPixel(key.pressedBitmap, x, y));
        ::SendMessageW(h, BM_SETSTATE, 0, 0);
        EXPECT_EQ(WindowPixel(h, x, y), BitmapPixel(key.normalBitmap, x, y));
    }
    for (int id = Dev_Jog_Led; id <= Dev_Dmc_led; ++id) {
        EXPECT_EQ(WindowPixel(Item(id), 6, 5), BitmapPixel(IDB_JOG_LAMP_DARK, 6, 5));
        ::SendMessageW(Item(id), BM_SETSTATE, 1, 0);
        EXPECT_EQ(WindowPixel(Item(id), 6, 5), BitmapPixel(IDB_JOG_LAMP_LIT, 6, 5));
    }
}

TEST_F(JogShuttlePanelTest, KeyAPressedShowsPressedAndSendsOffReleaseSendsNothing) {
    OpenWindow();
    Dial().SetCount(40);
    Report({{3, 0x10}}, {{4, 0x10}});
    EXPECT_TRUE(Pushed(Dev_A_Button));
    EXPECT_EQ(DialCommands(), (Log{"jog.device.SetDialMode(00 00 00 00)"}));
    EXPECT_EQ(Dial().GetMode(), dial::Mode::kOff);
    EXPECT_EQ(Dial().GetCount(), 40);
    Report({{3, 0x10}}, {{4, 0x00}});
    EXPECT_FALSE(Pushed(Dev_A_Button));
    EXPECT_EQ(DialCommands().size(), 1u);
}

// A press and its release that both arrive before the window thread runs: the
// press still sends its command, once, and the key ends up released.
TEST_F(JogShuttlePanelTest, PressAndReleaseBeforeOnePumpAreBothHandledInOrder) {
    OpenWindow();
    Deliver({{3, 0x20}}, {{4, 0x20}});
    Deliver({{3, 0x20}}, {{4, 0x00}});
    PumpReports(*wnd);
    EXPECT_EQ(DialCommands(), (Log{"jog.device.SetDialMode(00 10 10 01)"}));
    EXPECT_FALSE(Pushed(Dev_B_Button));
    EXPECT_EQ(wnd->ReportsHandled(), 2u);
}

TEST_F(JogShuttlePanelTest, KeysBToDSendTheirDialModes) {
    OpenWindow();
    Report({{3, 0xE0}}, {{4, 0xE0}});
    EXPECT_EQ(DialCommands(), (Log{"jog.device.SetDialMode(00 10 10 01)", "jog.device.SetDialMode(00 00 20 02)",
                                   "jog.device.SetDialMode(00 00 40 03)"}));
    EXPECT_TRUE(Pushed(Dev_B_Button) && Pushed(Dev_C_Button) && Pushed(Dev_D_Button));
    EXPECT_EQ(Dial().GetMode(), dial::Mode::kDmc);
    // The lamps and radio buttons wait for the panel to report the new mode.
    EXPECT_EQ(LitLamps(), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(CheckedDialRadios(), (std::vector<int>{IDC_DIAL_OFF}));
}

TEST_F(JogShuttlePanelTest, UnchangedKeysStayAsTheyAre) {
    OpenWindow();
    Report({{2, 0x01}, {4, 0x04}}, {{3, 0x01}, {5, 0x04}});
    EXPECT_TRUE(Pushed(IDC_F1_BTN));
    EXPECT_TRUE(Pushed(Dev_G_Button));
    Report({{2, 0x00}, {4, 0xF0}}, {{3, 0x00}, {5, 0x00}});
    EXPECT_TRUE(Pushed(IDC_F1_BTN));
    EXPECT_TRUE(Pushed(Dev_G_Button));
    Report({{2, 0x01}}, {{3, 0xFE}});
    EXPECT_FALSE(Pushed(IDC_F1_BTN));
    for (int id : {IDC_F2_BTN, IDC_F6_BTN, Dev_ReverseButton, Dev_PlayButton}) EXPECT_FALSE(Pushed(id)) << id;
    EXPECT_TRUE(DialCommands().empty());
}

TEST_F(JogShuttlePanelTest, ReportedDialModeLightsItsLampAndChecksItsRadio) {
    OpenWindow();
    struct Case {
        std::uint8_t mode;
        std::vector<bool> lamps;
        std::vector<int> radios;
        dial::Mode dialMode;
    };
    const Case cases[] = {
        {2, {false, true, false}, {IDC_DIAL_SHUTTLE}, dial::Mode::kShuttle},
        {1, {true, false, false}, {IDC_DIAL_JOG}, dial::Mode::kJog},
        {3, {false, false, true}, {IDC_DIAL_DMC}, dial::Mode::kDmc},
        {7, {false, false, false}, {}, dial::Mode::kNone},
        {0, {false, false, false}, {IDC_DIAL_OFF}, dial::Mode::kOff},
        {255, {false, false, false}, {}, dial::Mode::kNone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.mode));
        Report({{0, 1}}, {{0, c.mode}});
        EXPECT_EQ(LitLamps(), c.lamps);
        EXPECT_EQ(CheckedDialRadios(), c.radios);
        EXPECT_EQ(Dial().GetMode(), c.dialMode);
    }
    // Neither the lamps nor the radio buttons talk to the panel.
    EXPECT_TRUE(DialCommands().empty());
}

TEST_F(JogShuttlePanelTest, DialValueRotatesInTheModeOfTheSameReport) {
    OpenWindow();
    // OFF ignores the value; SHUTTLE takes it as the position.
    Report({{0, 1}, {1, 1}}, {{0, 2}, {1, 100}});
    EXPECT_EQ(Dial().GetMode(), dial::Mode::kShuttle);
    EXPECT_EQ(Dial().GetCount(), 100);
    Report({{1, 1}}, {{1, 0xFF}, {2, 0xFF}});
    EXPECT_EQ(Dial().GetCount(), -1);
    Report({{0, 1}}, {{0, 1}});
    Dial().SetCount(0);
    Report({{1, 1}}, {{1, 0x10}, {2, 0x00}});
    Report({{1, 1}}, {{1, 0x10}, {2, 0x00}});
    EXPECT_EQ(Dial().GetCount(), 32);
    // A dial value without its change flag is not applied.
    Report({{1, 0}}, {{1, 0x10}, {2, 0x00}});
    EXPECT_EQ(Dial().GetCount(), 32);
}

TEST_F(JogShuttlePanelTest, DialModeRadioButtonsSendTheirBlocks) {
    OpenWindow();
    Dial().SetCount(50);
    ClickButton(Hwnd(), IDC_DIAL_JOG);
    EXPECT_EQ(Dial().GetMode(), dial::Mode::kJog);
    EXPECT_EQ(Dial().GetCount(), 0);
    EXPECT_EQ(Dial().GetLastMark().outer.x, 0);  // mark straight up
    Dial().SetCount(50);
    ClickButton(Hwnd(), IDC_DIAL_SHUTTLE);
    EXPECT_EQ(Dial().GetMode(), dial::Mode::kShuttle);
    EXPECT_EQ(Dial().GetCount(), 0);
    Dial().SetCount(37);
    ClickButton(Hwnd(), IDC_DIAL_OFF);
    EXPECT_EQ(Dial().GetCount(), 37);
    ClickButton(Hwnd(), IDC_DIAL_DMC);
    EXPECT_EQ(Dial().GetMode(), dial::Mode::kDmc);
    EXPECT_EQ(DialCommands(), (Log{"jog.device.SetDialMode(00 10 10 01)", "jog.device.SetDialMode(00 00 20 02)",
                                   "jog.device.SetDialMode(00 00 00 00)", "jog.device.SetDialMode(00 00 40 03)"}));
    ASSERT_EQ(fake.Jog().dialModeBlocks.size(), 4u);
    for (const auto& block : fake.Jog().dialModeBlocks)
        for (size_t i = 4; i < block.size(); ++i) EXPECT_EQ(block[i], 0);
    EXPECT_EQ(CheckedDialRadios(), (std::vector<int>{IDC_DIAL_DMC}));
    EXPECT_EQ(LitLamps(), (std::vector<bool>{false, false, false}));
}

TEST_F(JogShuttlePanelTest, TestModeDisablesRadiosButKeysStillCommand) {
    OpenWindow();
    ClickButton(Hwnd(), IDC_MODE_TEST);
    for (int id = IDC_DIAL_OFF; id <= IDC_DIAL_DMC; ++id) EXPECT_FALSE(IsEnabled(Hwnd(), id)) << id;
    Report({{3, 0x20}}, {{4, 0x20}});
    EXPECT_EQ(DialCommands(), (Log{"jog.device.SetDialMode(00 10 10 01)"}));
    ClickButton(Hwnd(), IDC_MODE_NORMAL);
    for (int id = IDC_DIAL_OFF; id <= IDC_DIAL_DMC; ++id) EXPECT_TRUE(IsEnabled(Hwnd(), id)) << id;
}

TEST_F(JogShuttlePanelTest, WithoutDeviceRadiosOnlyMoveTheirCheckMark) {
    fake.FailDevice(kPanelJogShuttle);
    OpenWindow();
    Dial().SetCount(21);
    const size_t mark = fake.log.calls.size();
    ClickButton(Hwnd(), IDC_DIAL_JOG);
    EXPECT_EQ(CheckedDialRadios(), (std::vector<int>{IDC_DIAL_JOG}));
    EXPECT_EQ(Dial().GetMode(), dial::Mode::kOff);
    EXPECT_EQ(Dial().GetCount(), 21);
    EXPECT_EQ(fake.log.calls.size(), mark);
}

int beeps = 0;
BOOL WINAPI CountBeep(DWORD, DWORD) {
    ++beeps;
    return TRUE;
}

TEST_F(JogShuttlePanelTest, MouseClickOnAKeyNeitherPressesNorCommands) {
    beeps = 0;
    const auto previous = CShapedButton::SetBeepProc(&CountBeep);
    OpenWindow();
    const HWND a = Item(Dev_A_Button);
    ::SendMessageW(a, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(18, 18));
    ::SendMessageW(a, WM_LBUTTONUP, 0, MAKELPARAM(18, 18));
    PumpMessages();
    CShapedButton::SetBeepProc(previous);
    EXPECT_EQ(beeps, 1);
    EXPECT_FALSE(Pushed(Dev_A_Button));
    EXPECT_TRUE(DialCommands().empty());
}
}  // namespace

namespace {
TEST_F(JogShuttlePanelTest, WholeWindowRepaintKeepsPressedKeysAndTheDialMarkOnTop) {
    OpenWindow();
    const JogKeyLayout& f2 = kJogKeys[1];
    Report({{2, 0x02}}, {{3, 0x02}});
    ASSERT_TRUE(Pushed(IDC_F2_BTN));
    ::RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages();
    HDC dc = ::GetDC(Hwnd());
    const COLORREF key = ::GetPixel(dc, f2.x + f2.width / 2, f2.y + f2.height / 2);
    // The mark at rest runs straight up from the dial's centre: white at (0, 40).
    const COLORREF mark = ::GetPixel(dc, kJogDialX + 69, kJogDialY + 69 - 40);
    ::ReleaseDC(Hwnd(), dc);
    EXPECT_EQ(key, BitmapPixel(f2.pressedBitmap, f2.width / 2, f2.height / 2));
    EXPECT_EQ(mark, RGB(255, 255, 255));
}
}  // namespace

namespace {
TEST_F(JogShuttlePanelTest, TeardownDestroysKeysBeforeReleasingAndTheDialAfter) {
    OpenWindow();
    const HWND key = Item(Dev_G_Button);
    const HWND dial = Item(IDC_DIAL_CTRL);
    const HWND lamp = Item(Dev_Jog_Led);
    std::vector<std::string> seen;
    fake.log.onCall = [&](const std::string& call) {
        seen.push_back(call + (::IsWindow(key) ? " key" : "") + (::IsWindow(dial) ? " dial" : "") +
                       (::IsWindow(lamp) ? " lamp" : ""));
    };
    wnd->DestroyWindow();
    fake.log.onCall = nullptr;
    EXPECT_EQ(seen, (Log{"jog.device.Release dial lamp", "jog.events.Unadvise dial lamp",
                         "jog.events.Release dial lamp", "manager.Release dial lamp"}));
    EXPECT_FALSE(::IsWindow(dial));
    EXPECT_FALSE(::IsWindow(lamp));
    EXPECT_EQ(wnd->Dial(), nullptr);
    for (int list = 0; list < 3; ++list) EXPECT_EQ(wnd->KeyListSize(list), 0u);
    wnd.reset();
    EXPECT_EQ(fake.OutstandingRefs(), 0);
    EXPECT_EQ(fake.OverReleases(), 0);
}
}  // namespace
