// CShapedButton: bitmaps by pushed state, outlines that clip painting and hit
// testing, and clicks that only beep.
#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "tests/widgets/WidgetTestSupport.h"
#include "widgets/CShapedButton.h"

namespace {

using widgettest::CountingKey;
using widgettest::HostWindow;
using widgettest::kBackground;
using widgettest::Pump;
using widgettest::Repaint;
using widgettest::ResourceBitmap;
using widgettest::ScreenPixelOf;

constexpr DWORD kKeyStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | BS_OWNERDRAW;

std::vector<std::pair<DWORD, DWORD>> g_beeps;
BOOL WINAPI RecordBeep(DWORD frequency, DWORD duration) {
    g_beeps.emplace_back(frequency, duration);
    return TRUE;
}

// A pixel at which the normal and the pressed bitmap differ, searched from the
// centre outwards inside the given box.
POINT DifferingPixel(const ResourceBitmap& a, const ResourceBitmap& b, const RECT& box) {
    const int cx = (box.left + box.right) / 2;
    const int cy = (box.top + box.bottom) / 2;
    for (int r = 0; r < (box.right - box.left) / 2; ++r)
        for (int y = cy - r; y <= cy + r; ++y)
            for (int x = cx - r; x <= cx + r; ++x)
                if (x >= box.left && x < box.right && y >= box.top && y < box.bottom &&
                    a.Pixel(x, y) != b.Pixel(x, y) && a.Pixel(x, y) != kBackground && b.Pixel(x, y) != kBackground)
                    return POINT{x, y};
    return POINT{-1, -1};
}

class ShapedButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.Open());
        g_beeps.clear();
        oldBeep = CShapedButton::SetBeepProc(&RecordBeep);
    }
    void TearDown() override { CShapedButton::SetBeepProc(oldBeep); }

    std::unique_ptr<CShapedButton> MakeKey(UINT id, UINT normal, UINT pressed, int x, int y, int w, int h) {
        auto key = std::make_unique<CShapedButton>();
        const RECT rc{x, y, x + w, y + h};
        EXPECT_TRUE(key->Create(nullptr, kKeyStyle, rc, &host, id));
        EXPECT_TRUE(key->LoadBitmaps(normal, pressed));
        key->MoveWindow(x, y, w, h, TRUE);
        return key;
    }

    HostWindow host;
    CShapedButton::BeepProc oldBeep = nullptr;
};

TEST_F(ShapedButtonTest, LeftClickOnlyBeeps) {
    auto key = MakeKey(1050, 158, 159, 16, 189, 36, 36);
    key->SetEllipticRegion(RECT{0, 0, 36, 36});
    Repaint(host);
    const ResourceBitmap normal(158);
    const COLORREF before = ScreenPixelOf(host, *key, 17, 17);
    ASSERT_EQ(before, normal.Pixel(17, 17));

    key->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(17, 17));
    EXPECT_NE(::GetCapture(), key->GetSafeHwnd());
    EXPECT_NE(::GetFocus(), key->GetSafeHwnd());
    EXPECT_EQ(key->GetState() & BST_PUSHED, 0u);
    key->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(17, 17));
    // The second press of a double click is no different.
    key->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(17, 17));
    key->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(17, 17));
    Pump();

    const std::vector<std::pair<DWORD, DWORD>> expected{{500, 100}, {500, 100}};
    EXPECT_EQ(g_beeps, expected);
    EXPECT_TRUE(host.commands.empty()) << "notification " << std::hex << host.commands.front();
    EXPECT_EQ(key->GetState() & BST_PUSHED, 0u);
    Repaint(host);
    EXPECT_EQ(ScreenPixelOf(host, *key, 17, 17), before);
}

TEST_F(ShapedButtonTest, OtherMouseMessagesReachTheButton) {
    auto key = MakeKey(104, 134, 132, 20, 23, 38, 38);
    key->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    key->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(g_beeps.empty());
}

TEST_F(ShapedButtonTest, PushedStateSelectsTheBitmapWhateverTheMouseDoes) {
    auto key = MakeKey(104, 134, 132, 20, 23, 38, 38);
    const ResourceBitmap normal(134), pressed(132);
    const POINT p = DifferingPixel(normal, pressed, RECT{0, 0, 38, 38});
    ASSERT_GE(p.x, 0) << "bitmaps 134 and 132 are alike";
    Repaint(host);
    EXPECT_EQ(ScreenPixelOf(host, *key, p.x, p.y), normal.Pixel(p.x, p.y));

    key->SendMessage(BM_SETSTATE, 1);
    Pump();
    EXPECT_EQ(ScreenPixelOf(host, *key, p.x, p.y), pressed.Pixel(p.x, p.y));
    // A click in between neither releases nor repaints the key.
    key->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    key->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    Pump();
    EXPECT_NE(key->GetState() & BST_PUSHED, 0u);
    EXPECT_EQ(ScreenPixelOf(host, *key, p.x, p.y), pressed.Pixel(p.x, p.y));

    key->SendMessage(BM_SETSTATE, 0);
    Pump();
    EXPECT_EQ(ScreenPixelOf(host, *key, p.x, p.y), normal.Pixel(p.x, p.y));
    // A full repaint shows the same.
    Repaint(host);
    EXPECT_EQ(ScreenPixelOf(host, *key, p.x, p.y), normal.Pixel(p.x, p.y));
}

// The pushed state reads back at once; the picture follows at the key's next
// paint, once however often the state changed before it.
TEST_F(ShapedButtonTest, StateChangesBeforeAPaintDrawTheKeyOnce) {
    CountingKey key;
    ASSERT_TRUE(key.Create(nullptr, kKeyStyle, RECT{20, 23, 58, 61}, &host, 104));
    ASSERT_TRUE(key.LoadBitmaps(134, 132));
    const ResourceBitmap normal(134), pressed(132);
    const POINT p = DifferingPixel(normal, pressed, RECT{0, 0, 38, 38});
    ASSERT_GE(p.x, 0);
    Repaint(host);
    key.draws = 0;
    for (int i = 0; i <= 100; ++i) {
        key.SendMessage(BM_SETSTATE, i % 2 == 0);
        EXPECT_EQ((key.GetState() & BST_PUSHED) != 0, i % 2 == 0) << i;
    }
    EXPECT_EQ(key.draws, 0);
    Pump();
    EXPECT_EQ(key.draws, 1);
    EXPECT_EQ(ScreenPixelOf(host, key, p.x, p.y), pressed.Pixel(p.x, p.y));
    // The state it already has changes nothing.
    key.SendMessage(BM_SETSTATE, 1);
    Pump();
    EXPECT_EQ(key.draws, 1);
}

enum class Outline { kNone, kEllipse, kLeftWing, kRightWing };

struct ClipCase {
    const char* what;
    Outline outline;
    UINT normal;
    UINT pressed;
    int w, h;
    POINT inside;
    std::vector<POINT> outside;
};

TEST_F(ShapedButtonTest, OutlineClipsPaintingAndHitTesting) {
    const ClipCase cases[] = {
        {"round key", Outline::kEllipse, 158, 159, 36, 36, {17, 17}, {{1, 1}, {34, 1}, {1, 34}, {34, 34}}},
        {"left wing", Outline::kLeftWing, 154, 155, 51, 71, {20, 30}, {{45, 3}, {48, 65}, {2, 68}}},
        {"right wing", Outline::kRightWing, 156, 157, 51, 71, {30, 30}, {{2, 2}, {2, 68}, {48, 68}}},
        // Larger than the wing bitmaps: nothing shows outside the outline.
        {"trackball left wing", Outline::kLeftWing, 154, 155, 70, 87, {20, 30}, {{60, 80}, {55, 10}, {30, 80}}},
        {"trackball right wing", Outline::kRightWing, 156, 157, 70, 87, {30, 30}, {{60, 80}, {2, 2}, {5, 70}}},
        // Without an outline the same corner shows the bitmap: the pixels above are the region's work.
        {"rectangular", Outline::kNone, 158, 159, 36, 36, {1, 1}, {}},
    };
    int x = 10;
    std::vector<std::unique_ptr<CShapedButton>> keys;
    for (const ClipCase& c : cases) {
        SCOPED_TRACE(c.what);
        const ResourceBitmap normal(c.normal), pressed(c.pressed);
        if (!normal.Loaded() || !pressed.Loaded()) {
            ADD_FAILURE() << "bitmap " << c.normal << " or " << c.pressed << " missing";
            continue;
        }
        auto key = MakeKey(1100 + static_cast<UINT>(keys.size()), c.normal, c.pressed, x, 10, c.w, c.h);
        x += c.w + 4;
        switch (c.outline) {
        case Outline::kNone:
            break;
        case Outline::kEllipse:
            EXPECT_TRUE(key->SetEllipticRegion(RECT{0, 0, 36, 36}));
            break;
        case Outline::kLeftWing:
            EXPECT_TRUE(key->SetLeftWingRegion());
            break;
        case Outline::kRightWing:
            EXPECT_TRUE(key->SetRightWingRegion());
            break;
        }
        if (c.outline != Outline::kNone) {
            const HRGN probe = ::CreateRectRgn(0, 0, 0, 0);
            EXPECT_NE(::GetWindowRgn(*key, probe), ERROR) << "window has no region";
            ::DeleteObject(probe);
        }
        key->SendMessage(BM_SETSTATE, 1);
        Repaint(host);

        EXPECT_EQ(ScreenPixelOf(host, *key, c.inside.x, c.inside.y), pressed.Pixel(c.inside.x, c.inside.y));
        for (const POINT& p : c.outside) {
            EXPECT_EQ(ScreenPixelOf(host, *key, p.x, p.y), kBackground) << "pixel " << p.x << "," << p.y;
            // A click there goes to the window behind.
            POINT sp = p;
            ::ClientToScreen(*key, &sp);
            EXPECT_EQ(::WindowFromPoint(sp), host.GetSafeHwnd()) << "hit " << p.x << "," << p.y;
        }
        POINT si = c.inside;
        ::ClientToScreen(*key, &si);
        EXPECT_EQ(::WindowFromPoint(si), key->GetSafeHwnd());
        keys.push_back(std::move(key));
    }
}

TEST_F(ShapedButtonTest, WingOutlinesAreTheSevenPointPolygons) {
    const POINT left[7] = {{34, 0}, {45, 26}, {51, 50}, {22, 72}, {3, 39}, {0, 0}, {34, 0}};
    const POINT right[7] = {{52, 1}, {48, 43}, {27, 72}, {0, 52}, {10, 28}, {16, 0}, {52, 1}};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(CShapedButton::kLeftWingOutline[i].x, left[i].x) << i;
        EXPECT_EQ(CShapedButton::kLeftWingOutline[i].y, left[i].y) << i;
        EXPECT_EQ(CShapedButton::kRightWingOutline[i].x, right[i].x) << i;
        EXPECT_EQ(CShapedButton::kRightWingOutline[i].y, right[i].y) << i;
    }
}

TEST_F(ShapedButtonTest, RegionOperationsWithoutWindowFail) {
    CShapedButton key;
    EXPECT_FALSE(key.SetEllipticRegion(RECT{0, 0, 36, 36}));
    EXPECT_FALSE(key.SetLeftWingRegion());
    EXPECT_FALSE(key.SetRightWingRegion());
}

TEST_F(ShapedButtonTest, SubclassedTemplateButtonBeepsToo) {
    const HWND item =
        ::CreateWindowExW(0, L"Button", L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 5, 5, 40, 40, host,
                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(1094)), ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(item);
    CShapedButton led;
    ASSERT_TRUE(led.SubclassDlgItem(1094, &host));
    ASSERT_TRUE(led.LoadBitmaps(134, 132));
    led.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    led.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    Pump();
    EXPECT_EQ(g_beeps.size(), 1u);
    EXPECT_TRUE(host.commands.empty());
}

}  // namespace
