// The Trackball window: its keys and ring, the reports it shows and the LED
// commands that key releases send.
#include <gtest/gtest.h>

#include "contract/PanelIids.h"
#include "panels/CTrackballPanelDlg.h"
#include "panels/TrackballLayout.h"
#include "res/resource.h"
#include "tests/panels/PanelTestSupport.h"
#include "tests/support/TestWindows.h"
#include "widgets/CDialCtrl.h"

using Log = std::vector<std::string>;

namespace {
class TrackballPanelTest : public PanelWindowTest<CTrackballPanelDlg, kPanelTrackball> {
protected:
    // By key index, where the shared one goes by control id.
    bool Pushed(int key) const { return PanelWindowTest::Pushed(static_cast<int>(kTrackballKeys[key].id)); }
    std::vector<bool> PushedKeys() const {
        std::vector<bool> out;
        for (int k = 0; k < kTrackballKeyCount; ++k) out.push_back(Pushed(k));
        return out;
    }
    CDialCtrl& Dial() const { return *wnd->Dial(); }
    Log LedCommands() const { return fake.log.Matching("trackball.device.SetLed"); }
};

TEST_F(TrackballPanelTest, OpenBuildsKeysAndRingWhereTheyBelong) {
    OpenWindow();
    ASSERT_EQ(wnd->KeyCount(), 8u);
    for (int k = 0; k < kTrackballKeyCount; ++k) {
        const TrackballKeyLayout& key = kTrackballKeys[k];
        SCOPED_TRACE(key.id);
        const HWND h = Item(static_cast<int>(key.id));
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(h, wnd->Key(k)->GetSafeHwnd());
        EXPECT_EQ(static_cast<DWORD>(::GetWindowLongW(h, GWL_STYLE)), 0x5200000Bu);
        const RECT r = ChildRect(h);
        EXPECT_EQ(r.left, key.x);
        EXPECT_EQ(r.top, key.y);
        EXPECT_EQ(r.right - r.left, key.width);
        EXPECT_EQ(r.bottom - r.top, key.height);
        HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(::GetWindowRgn(h, rgn), ERROR);
        switch (key.outline) {
        case KeyOutline::Ellipse:
            EXPECT_TRUE(::PtInRegion(rgn, 17, 17));
            EXPECT_FALSE(::PtInRegion(rgn, 2, 2));
            EXPECT_FALSE(::PtInRegion(rgn, 17, 36));  // below the circle, also in key E's taller window
            break;
        case KeyOutline::LeftWing:
            EXPECT_TRUE(::PtInRegion(rgn, 20, 20));
            EXPECT_FALSE(::PtInRegion(rgn, 49, 4));
            // Nothing of the window beyond the 52 x 72 bitmap shows.
            EXPECT_FALSE(::PtInRegion(rgn, 60, 40));
            EXPECT_FALSE(::PtInRegion(rgn, 20, 80));
            break;
        case KeyOutline::RightWing:
            EXPECT_TRUE(::PtInRegion(rgn, 30, 30));
            EXPECT_FALSE(::PtInRegion(rgn, 2, 4));
            EXPECT_FALSE(::PtInRegion(rgn, 60, 40));
            EXPECT_FALSE(::PtInRegion(rgn, 30, 80));
            break;
        case KeyOutline::Rectangle:
            ADD_FAILURE() << "every trackball key has an outline";
            break;
        }
        ::DeleteObject(rgn);
    }
    EXPECT_EQ(PushedKeys(), std::vector<bool>(8, false));
    const HWND dial = Item(IDC_DIAL_CTRL);
    ASSERT_EQ(dial, wnd->Dial()->GetSafeHwnd());
    const RECT r = ChildRect(dial);
    EXPECT_EQ(r.left, 57);
    EXPECT_EQ(r.top, 54);
    EXPECT_EQ(r.right - r.left, 193);
    EXPECT_EQ(r.bottom - r.top, 193);
    HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(dial, rgn), ERROR);
    EXPECT_TRUE(::PtInRegion(rgn, 96, 96));
    EXPECT_FALSE(::PtInRegion(rgn, 10, 10));
    EXPECT_FALSE(::PtInRegion(rgn, 185, 185));
    ::DeleteObject(rgn);
    EXPECT_EQ(Dial().GetMode(), dial::Mode::kRing);
    EXPECT_EQ(Dial().GetCount(), 0);
    // Ring geometry from the final 193-pixel size; the mark straight up.
    EXPECT_EQ(Dial().GetOuterPoint(), (dial::Point{0, 90}));
    EXPECT_EQ(Dial().GetInnerPoint(), (dial::Point{0, 65}));
    EXPECT_EQ(Dial().GetRingMark(), (dial::Mark{{0, 90}, {0, 65}}));
    EXPECT_EQ(Dial().GetBallMovement(), (dial::Point{0, 0}));
    EXPECT_TRUE(IsChecked(Hwnd(), IDC_MODE_NORMAL));
    EXPECT_TRUE(LedCommands().empty());
}

TEST_F(TrackballPanelTest, KeysShowTheirOwnNormalAndPressedBitmaps) {
    OpenWindow();
    for (int k = 0; k < kTrackballKeyCount; ++k) {
        const TrackballKeyLayout& key = kTrackballKeys[k];
        SCOPED_TRACE(key.id);
        // Inside every outline, on the key's label or cap.
        const int x = key.outline == KeyOutline::Ellipse ? 17 : 26, y = key.outline == KeyOutline::Ellipse ? 17 : 30;
        const COLORREF normal = BitmapPixel(key.normalBitmap, x, y), pressed = BitmapPixel(key.pressedBitmap, x, y);
        ASSERT_NE(normal, CLR_INVALID);
        ASSERT_NE(pressed, CLR_INVALID);
        ASSERT_NE(normal, pressed);
        const HWND h = wnd->Key(k)->GetSafeHwnd();
        EXPECT_EQ(WindowPixel(h, x, y), normal);
        Report({{0, static_cast<std::uint8_t>(1u << k)}}, {{0, static_cast<std::uint8_t>(1u << k)}});
        EXPECT_EQ(WindowPixel(h, x, y), pressed);
    }
}

TEST_F(TrackballPanelTest, ReleaseTogglesTheReportedLedPressOnlyDraws) {
    struct Case {
        int key;
        std::uint8_t leds;
        const char* command;
    };
    const Case cases[] = {
        {3, 0x08, "trackball.device.SetLed(3,0)"}, {3, 0x00, "trackball.device.SetLed(3,1)"},
        {3, 0xF7, "trackball.device.SetLed(3,1)"}, {0, 0x01, "trackball.device.SetLed(0,0)"},
        {7, 0x7F, "trackball.device.SetLed(7,1)"}, {5, 0x20, "trackball.device.SetLed(5,0)"},
    };
    OpenWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        const auto mask = static_cast<std::uint8_t>(1u << c.key);
        const size_t mark = fake.log.calls.size();
        Report({{0, mask}}, {{0, mask}, {7, c.leds}});
        EXPECT_TRUE(Pushed(c.key));
        EXPECT_TRUE(LogSince(fake.log, mark).empty());
        Report({{0, mask}}, {{0, 0}, {7, c.leds}});
        EXPECT_FALSE(Pushed(c.key));
        EXPECT_EQ(LogSince(fake.log, mark), (Log{c.command}));
    }
}

TEST_F(TrackballPanelTest, KeysChangeOnlyWithTheirChangeBit) {
    OpenWindow();
    Report({{0, 0x05}}, {{0, 0x05}});
    Report({}, {{0, 0x00}, {7, 0xFF}});
    EXPECT_EQ(PushedKeys(), (std::vector<bool>{true, false, true, false, false, false, false, false}));
    const size_t mark = fake.log.calls.size();
    Report({{0, 0x06}}, {{0, 0x02}, {7, 0x04}});
    EXPECT_EQ(PushedKeys(), (std::vector<bool>{true, true, false, false, false, false, false, false}));
    EXPECT_EQ(LogSince(fake.log, mark), (Log{"trackball.device.SetLed(2,0)"}));
}

TEST_F(TrackballPanelTest, BallIsHeldToFiftyAndShownWhereTheDialMapsIt) {
    struct Case {
        std::uint8_t b1, b2, b3, b4;
        dial::Point movement;
        dial::Point centre;
    };
    const Case cases[] = {
        {200, 10, 0, 0, {50, 0}, {50, 0}},    {10, 200, 0, 0, {-50, 0}, {-50, 0}}, {10, 0, 5, 0, {10, 5}, {8, 6}},
        {0, 50, 20, 0, {-50, 20}, {-45, 21}}, {7, 0, 0, 6, {7, -6}, {3, -6}},      {3, 0, 0, 40, {3, -40}, {0, -40}},
        {255, 0, 255, 0, {50, 50}, {0, 50}},  {0, 0, 0, 255, {0, -50}, {0, -50}},
    };
    OpenWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.b1) << "," << int(c.b2) << "," << int(c.b3) << "," << int(c.b4));
        Report({{1, 1}}, {{1, c.b1}, {2, c.b2}, {3, c.b3}, {4, c.b4}});
        EXPECT_EQ(Dial().GetBallMovement(), c.movement);
        EXPECT_EQ(dial::BallCentre(Dial().GetBallMovement().x, Dial().GetBallMovement().y), c.centre);
    }
    // Without the ball's change byte the mark stays, whatever the ball bytes say.
    Report({{2, 0}}, {{1, 9}, {2, 0}, {3, 9}, {4, 0}});
    EXPECT_EQ(Dial().GetBallMovement(), (dial::Point{0, -50}));
}

TEST_F(TrackballPanelTest, RingTurnsByTheUnclampedDifference) {
    OpenWindow();
    const dial::Point outer = Dial().GetOuterPoint(), inner = Dial().GetInnerPoint();
    Report({{2, 1}}, {{5, 3}, {6, 7}});
    EXPECT_EQ(Dial().GetCount(), -4);
    EXPECT_EQ(Dial().GetRingMark(), dial::MarkAt(outer, inner, -7));
    Report({{2, 1}}, {{5, 150}, {6, 0}});
    EXPECT_EQ(Dial().GetCount(), 146);
    // 146 + 255 leaves the dial's range: it shows 401 counts and starts again.
    Report({{2, 1}}, {{5, 255}, {6, 0}});
    EXPECT_EQ(Dial().GetRingMark(), dial::MarkAt(outer, inner, 721));
    EXPECT_EQ(Dial().GetCount(), 0);
    Report({{2, 1}}, {{5, 0}, {6, 255}});
    EXPECT_EQ(Dial().GetRingMark(), dial::MarkAt(outer, inner, -459));
    // A ring not reported as turned stays.
    Report({}, {{5, 90}});
    EXPECT_EQ(Dial().GetRingMark(), dial::MarkAt(outer, inner, -459));
}

TEST_F(TrackballPanelTest, TeardownDestroysKeysBeforeReleasingAndTheRingAfter) {
    OpenWindow();
    const HWND key = Item(ENTER_BTN);
    const HWND dial = Item(IDC_DIAL_CTRL);
    std::vector<std::string> seen;
    fake.log.onCall = [&](const std::string& call) {
        seen.push_back(call + (::IsWindow(key) ? " key" : "") + (::IsWindow(dial) ? " dial" : ""));
    };
    wnd->DestroyWindow();
    fake.log.onCall = nullptr;
    EXPECT_EQ(seen, (Log{"trackball.device.Release dial", "trackball.events.Unadvise dial",
                         "trackball.events.Release dial", "manager.Release dial"}));
    EXPECT_FALSE(::IsWindow(dial));
    EXPECT_EQ(wnd->Dial(), nullptr);
    EXPECT_EQ(wnd->KeyCount(), 0u);
    wnd.reset();
    EXPECT_EQ(fake.OutstandingRefs(), 0);
    EXPECT_EQ(fake.OverReleases(), 0);
}
}  // namespace
