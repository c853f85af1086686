// The Media Bar window: keys A and B with their lamps, the eight knobs, the
// reports it shows and the LED commands that key releases send.
#include <gtest/gtest.h>

#include "contract/PanelIids.h"
#include "panels/CMediaBarPanelDlg.h"
#include "panels/MediaBarLayout.h"
#include "res/resource.h"
#include "tests/panels/PanelTestSupport.h"
#include "tests/support/TestWindows.h"
#include "widgets/CDialCtrl.h"

using Log = std::vector<std::string>;

namespace {
class MediaBarPanelTest : public PanelWindowTest<CMediaBarPanelDlg, kPanelMediaBar> {
protected:
    // By key index, where the shared one goes by control id.
    bool Pushed(int key) const { return PanelWindowTest::Pushed(static_cast<int>(kMediaBarKeys[key].id)); }
    bool LampShown(int key) const { return ::IsWindowVisible(wnd->Key(key).Lamp().GetSafeHwnd()) != FALSE; }
};

TEST_F(MediaBarPanelTest, OpenAttachesTheKeysAndBuildsTheKnobsWhereTheyBelong) {
    OpenWindow();
    for (int k = 0; k < kMediaBarKeyCount; ++k) {
        SCOPED_TRACE(k);
        const HWND h = Item(static_cast<int>(kMediaBarKeys[k].id));
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(h, wnd->Key(k).GetSafeHwnd());
        EXPECT_EQ(::GetWindowLongW(h, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
        const RECT r = ChildRect(h);
        EXPECT_EQ(r.left, 36);
        EXPECT_EQ(r.top, k == 0 ? 59 : 89);
        EXPECT_EQ(r.right - r.left, 22);
        EXPECT_EQ(r.bottom - r.top, 22);
        EXPECT_FALSE(Pushed(k));
        ASSERT_TRUE(::IsWindow(wnd->Key(k).Lamp().GetSafeHwnd()));
        EXPECT_FALSE(LampShown(k));
    }
    ASSERT_EQ(wnd->KnobCount(), 8u);
    for (int k = 0; k < kMediaBarKnobCount; ++k) {
        SCOPED_TRACE(k);
        CDialCtrl& knob = *wnd->Knob(k);
        EXPECT_EQ(::GetDlgCtrlID(knob.GetSafeHwnd()), IDC_DIAL_CTRL);
        const RECT r = ChildRect(knob.GetSafeHwnd());
        EXPECT_EQ(r.left, 75 + 62 * k);
        EXPECT_EQ(r.top, 74);
        EXPECT_EQ(r.right - r.left, 41);
        EXPECT_EQ(r.bottom - r.top, 41);
        HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(::GetWindowRgn(knob.GetSafeHwnd(), rgn), ERROR);
        ::DeleteObject(rgn);
        EXPECT_EQ(knob.GetMode(), dial::Mode::kKnob);
        EXPECT_EQ(knob.GetCount(), 0);
        EXPECT_EQ(knob.GetOuterPoint(), (dial::Point{0, 11}));
        EXPECT_EQ(knob.GetInnerPoint(), (dial::Point{0, 1}));
    }
    EXPECT_TRUE(IsChecked(Hwnd(), IDC_MODE_NORMAL));
    EXPECT_TRUE(fake.log.Matching("mediabar.device.SetLed").empty());
}

// The keys are the template's buttons: they must draw their bitmaps, not the
// template's text, and keep them when a report presses them.
TEST_F(MediaBarPanelTest, KeysShowTheKeyBitmapsAndTheLampOnTop) {
    OpenWindow();
    for (int k = 0; k < kMediaBarKeyCount; ++k) {
        SCOPED_TRACE(k);
        const HWND h = wnd->Key(k).GetSafeHwnd();
        const int x = 11, y = 17;  // on the cap, below the lamp
        const COLORREF normal = BitmapPixel(181, x, y), pressed = BitmapPixel(182, x, y);
        ASSERT_NE(normal, CLR_INVALID);
        ASSERT_NE(pressed, CLR_INVALID);
        ASSERT_NE(normal, pressed);
        EXPECT_EQ(WindowPixel(h, x, y), normal);
        Report({{0, static_cast<std::uint8_t>(1u << k)}}, {{0, static_cast<std::uint8_t>(1u << k)}});
        EXPECT_EQ(WindowPixel(h, x, y), pressed);
        Report({{9, static_cast<std::uint8_t>(1u << k)}},
               {{0, static_cast<std::uint8_t>(1u << k)}, {17, static_cast<std::uint8_t>(1u << k)}});
        const HWND lamp = wnd->Key(k).Lamp().GetSafeHwnd();
        EXPECT_EQ(WindowPixel(lamp, 1, 1), BitmapPixel(183, 1, 1));
    }
}

TEST_F(MediaBarPanelTest, ReleaseTogglesTheKeysOwnLedPressOnlyDraws) {
    struct Case {
        int key;
        std::uint8_t leds;
        const char* command;
    };
    const Case cases[] = {
        {1, 0x02, "mediabar.device.SetLed(1,0)"},
        {1, 0x01, "mediabar.device.SetLed(1,1)"},
        {0, 0x01, "mediabar.device.SetLed(0,0)"},
        {0, 0x02, "mediabar.device.SetLed(0,1)"},
    };
    OpenWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        const auto mask = static_cast<std::uint8_t>(1u << c.key);
        const size_t mark = fake.log.calls.size();
        Report({{0, mask}}, {{0, mask}, {17, c.leds}});
        EXPECT_TRUE(Pushed(c.key));
        EXPECT_TRUE(LogSince(fake.log, mark).empty());
        Report({{0, mask}}, {{0, 0}, {17, c.leds}});
        EXPECT_FALSE(Pushed(c.key));
        EXPECT_EQ(LogSince(fake.log, mark), (Log{c.command}));
        // The lamps follow LED changes only, not key changes.
        EXPECT_FALSE(LampShown(0));
        EXPECT_FALSE(LampShown(1));
    }
}

TEST_F(MediaBarPanelTest, LampsFollowLedChangesWithoutACommand) {
    OpenWindow();
    const size_t mark = fake.log.calls.size();
    Report({{9, 0x01}}, {{0, 0x03}, {17, 0x03}});
    EXPECT_TRUE(LampShown(0));
    EXPECT_FALSE(LampShown(1));
    EXPECT_FALSE(Pushed(0));
    Report({{9, 0x03}}, {{17, 0x02}});
    EXPECT_FALSE(LampShown(0));
    EXPECT_TRUE(LampShown(1));
    EXPECT_EQ(wnd->Key(1).GetLamp(), 1);
    Report({}, {{17, 0x00}});
    EXPECT_TRUE(LampShown(1));
    EXPECT_TRUE(LogSince(fake.log, mark).empty());
}

TEST_F(MediaBarPanelTest, KnobsTurnByTheirPairsIncludingThe255Form) {
    struct Case {
        int knob;
        std::uint8_t first, second;
        int angle;  // of the mark drawn, from count 0
        int count;  // after the turn
    };
    const Case cases[] = {
        {0, 5, 0, 9, 5},     {1, 251, 255, -9, -5}, {2, 0, 255, -460, 0},  {3, 10, 3, 12, 7},
        {4, 255, 0, 459, 0}, {5, 255, 255, -1, -1}, {7, 200, 0, 360, 200},
    };
    OpenWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.knob);
        CDialCtrl& knob = *wnd->Knob(c.knob);
        Report({{1 + c.knob, 1}}, {{1 + 2 * c.knob, c.first}, {2 + 2 * c.knob, c.second}});
        EXPECT_EQ(knob.GetLastMark(), dial::MarkAt({0, 11}, {0, 1}, c.angle));
        EXPECT_EQ(knob.GetCount(), c.count);
    }
    // Unchanged knobs and pairs of no movement leave the knobs alone.
    Report({{1 + 6, 1}}, {{1 + 12, 7}, {2 + 12, 7}, {1, 40}});
    EXPECT_EQ(wnd->Knob(6)->GetCount(), 0);
    EXPECT_EQ(wnd->Knob(0)->GetCount(), 5);
}

TEST_F(MediaBarPanelTest, TeardownDestroysKnobsBeforeReleasing) {
    OpenWindow();
    const HWND knob = wnd->Knob(7)->GetSafeHwnd();
    const HWND key = Item(Dev_A_Button);
    std::vector<std::string> seen;
    fake.log.onCall = [&](const std::string& call) {
        seen.push_back(call + (::IsWindow(knob) ? " knob" : "") + (::IsWindow(key) ? " key" : ""));
    };
    wnd->DestroyWindow();
    fake.log.onCall = nullptr;
    EXPECT_EQ(seen, (Log{"mediabar.device.Release key", "mediabar.events.Unadvise key", "mediabar.events.Release key",
                         "manager.Release key"}));
    EXPECT_FALSE(::IsWindow(key));
    EXPECT_EQ(wnd->KnobCount(), 0u);
    wnd.reset();
    EXPECT_EQ(fake.OutstandingRefs(), 0);
    EXPECT_EQ(fake.OverReleases(), 0);
}
}  // namespace
