// CSkinCtrl: the skin painted unscaled at the top-left, nothing painted or
// erased without a skin, and the window's lifetime apart from the skin's.
#include <gtest/gtest.h>

#include "tests/widgets/WidgetTestSupport.h"
#include "widgets/CSkinCtrl.h"

namespace {

using widgettest::HostWindow;
using widgettest::kBackground;
using widgettest::kScribble;
using widgettest::Pump;
using widgettest::Repaint;
using widgettest::ResourceBitmap;
using widgettest::Scribble;
using widgettest::WindowPixel;

constexpr UINT kDialSkin = 177;  // 140 x 140

// Sends WM_PAINT to the control alone.
void PaintOnly(HWND hwnd) {
    ::InvalidateRect(hwnd, nullptr, TRUE);
    ::UpdateWindow(hwnd);
    Pump();
}

class SkinCtrlTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Open()); }
    bool Make(CSkinCtrl& ctrl, int w, int h) {
        return ctrl.Create(nullptr, nullptr, WS_VISIBLE, RECT{10, 10, 10 + w, 10 + h}, &host, 1062) != FALSE;
    }
    HostWindow host;
};

TEST_F(SkinCtrlTest, WithoutSkinPaintsAndErasesNothing) {
    CSkinCtrl ctrl;
    EXPECT_FALSE(ctrl.HasSkin());
    ASSERT_TRUE(Make(ctrl, 40, 40));
    Repaint(host);
    Scribble(ctrl, 40, 40);
    PaintOnly(ctrl);
    EXPECT_EQ(WindowPixel(ctrl, 0, 0), kScribble);
    EXPECT_EQ(WindowPixel(ctrl, 39, 39), kScribble);
    ctrl.PaintSkin();
    EXPECT_EQ(WindowPixel(ctrl, 20, 20), kScribble);
    EXPECT_FALSE(ctrl.HasMemoryDC());
}

TEST_F(SkinCtrlTest, MissingResourceLeavesNoSkin) {
    CSkinCtrl ctrl;
    EXPECT_FALSE(ctrl.LoadSkin(60000));
    EXPECT_EQ(ctrl.GetSkinWidth(), 0);
    EXPECT_EQ(ctrl.GetSkinHeight(), 0);
    ASSERT_TRUE(Make(ctrl, 40, 40));
    Scribble(ctrl, 40, 40);
    PaintOnly(ctrl);
    EXPECT_EQ(WindowPixel(ctrl, 5, 5), kScribble);
    // A later load still works: the failed one left nothing half-made.
    EXPECT_TRUE(ctrl.LoadSkin(kDialSkin));
}

TEST_F(SkinCtrlTest, SkinIsLoadedOnce) {
    CSkinCtrl ctrl;
    ASSERT_TRUE(ctrl.LoadSkin(kDialSkin));
    EXPECT_EQ(ctrl.GetSkinWidth(), 140);
    EXPECT_EQ(ctrl.GetSkinHeight(), 140);
    EXPECT_FALSE(ctrl.LoadSkin(183));
    EXPECT_EQ(ctrl.GetSkinWidth(), 140);
}

TEST_F(SkinCtrlTest, SmallerWindowShowsTheSkinsTopLeft) {
    CSkinCtrl ctrl;
    ASSERT_TRUE(ctrl.LoadSkin(kDialSkin));
    ASSERT_TRUE(Make(ctrl, 139, 139));
    Repaint(host);
    const ResourceBitmap skin(kDialSkin);
    for (int y = 0; y < 139; y += 23)
        for (int x = 0; x < 139; x += 17) ASSERT_EQ(WindowPixel(ctrl, x, y), skin.Pixel(x, y)) << x << "," << y;
    EXPECT_EQ(WindowPixel(ctrl, 138, 138), skin.Pixel(138, 138));
    EXPECT_EQ(WindowPixel(ctrl, 0, 138), skin.Pixel(0, 138));
}

TEST_F(SkinCtrlTest, LargerWindowKeepsWhatIsOutsideTheSkin) {
    CSkinCtrl ctrl;
    ASSERT_TRUE(ctrl.LoadSkin(kDialSkin));
    ASSERT_TRUE(Make(ctrl, 160, 150));
    Repaint(host);
    Scribble(ctrl, 160, 150);
    PaintOnly(ctrl);
    const ResourceBitmap skin(kDialSkin);
    EXPECT_EQ(WindowPixel(ctrl, 139, 139), skin.Pixel(139, 139));
    EXPECT_EQ(WindowPixel(ctrl, 140, 10), kScribble);
    EXPECT_EQ(WindowPixel(ctrl, 10, 140), kScribble);
    EXPECT_EQ(WindowPixel(ctrl, 159, 149), kScribble);
}

// Callable outside painting: the skin comes back at the window's next paint.
TEST_F(SkinCtrlTest, PaintSkinWipesMarksAtTheNextPaint) {
    CSkinCtrl ctrl;
    ASSERT_TRUE(ctrl.LoadSkin(kDialSkin));
    ASSERT_TRUE(Make(ctrl, 139, 139));
    Repaint(host);
    Scribble(ctrl, 139, 139);
    ctrl.PaintSkin();
    ctrl.PaintSkin();
    const HDC dc = ::GetDC(ctrl);
    EXPECT_EQ(::GetPixel(dc, 70, 70), kScribble) << "drawn before the paint";
    ::ReleaseDC(ctrl, dc);
    const ResourceBitmap skin(kDialSkin);
    EXPECT_EQ(WindowPixel(ctrl, 70, 70), skin.Pixel(70, 70));
    EXPECT_EQ(WindowPixel(ctrl, 3, 130), skin.Pixel(3, 130));
}

// The memory DC that the skin is copied from is made by the first paint that
// shows the skin and goes with the window: a control never shown holds none.
TEST_F(SkinCtrlTest, MemoryDCLivesFromTheFirstPaintToTheWindowsEnd) {
    CSkinCtrl ctrl;
    ASSERT_TRUE(ctrl.LoadSkin(kDialSkin));
    ASSERT_TRUE(ctrl.Create(nullptr, nullptr, 0, RECT{10, 10, 50, 50}, &host, 1062));
    Repaint(host);
    EXPECT_FALSE(ctrl.HasMemoryDC()) << "hidden, never painted";
    ctrl.ShowWindow(SW_SHOW);
    Repaint(host);
    EXPECT_TRUE(ctrl.HasMemoryDC());
    ctrl.DestroyWindow();
    EXPECT_FALSE(ctrl.HasMemoryDC());
    // A new window makes a new one.
    ASSERT_TRUE(Make(ctrl, 40, 40));
    Repaint(host);
    EXPECT_TRUE(ctrl.HasMemoryDC());
    const ResourceBitmap skin(kDialSkin);
    EXPECT_EQ(WindowPixel(ctrl, 20, 20), skin.Pixel(20, 20));
}

TEST_F(SkinCtrlTest, CreatedAsChildOfItsOwner) {
    CSkinCtrl ctrl;
    ASSERT_TRUE(Make(ctrl, 20, 20));  // style WS_VISIBLE only
    EXPECT_NE(::GetWindowLongW(ctrl, GWL_STYLE) & WS_CHILD, 0);
    EXPECT_EQ(::GetParent(ctrl), host.GetSafeHwnd());
    EXPECT_EQ(ctrl.GetDlgCtrlID(), 1062);
    EXPECT_EQ(::GetClassLongPtrW(ctrl, GCLP_HBRBACKGROUND), 0);
}

TEST_F(SkinCtrlTest, SkinOutlivesAnEarlyDestroyedWindow) {
    CSkinCtrl ctrl;
    ASSERT_TRUE(ctrl.LoadSkin(kDialSkin));
    ASSERT_TRUE(Make(ctrl, 50, 50));
    ctrl.DestroyWindow();
    EXPECT_EQ(ctrl.GetSafeHwnd(), nullptr);
    ctrl.PaintSkin();  // no window: nothing to do, no crash
    ASSERT_TRUE(Make(ctrl, 50, 50));
    Repaint(host);
    const ResourceBitmap skin(kDialSkin);
    EXPECT_EQ(WindowPixel(ctrl, 25, 25), skin.Pixel(25, 25));
}

}  // namespace
