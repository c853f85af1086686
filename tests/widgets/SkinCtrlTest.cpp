// CSkinCtrl: the skin painted unscaled at the top-left, nothing painted or
// erased without a skin, and the window's lifetime apart from the skin's.
#include <gtest/gtest.h>

#include "CSkinCtrl.h"
#include "WidgetTestSupport.h"

namespace {

using widgettest::HostWindow;
using widgettest::kBackground;
using widgettest::Pump;
using widgettest::Repaint;
using widgettest::ResourceBitmap;
using widgettest::WindowPixel;

constexpr UINT kDialSkin = 177;  // 140 x 140
constexpr COLORREF kScribble = RGB(1, 2, 3);

void Scribble(HWND hwnd, int w, int h) {
    const HDC dc = ::GetDC(hwnd);
    const HBRUSH brush = ::CreateSolidBrush(kScribble);
    const RECT rc{0, 0, w, h};
    ::FillRect(dc, &rc, brush);
    ::DeleteObject(brush);
    ::ReleaseDC(hwnd, dc);
}

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

TEST_F(SkinCtrlTest, PaintSkinWipesMarksOutsidePainting) {
    CSkinCtrl ctrl;
    ASSERT_TRUE(ctrl.LoadSkin(kDialSkin));
    ASSERT_TRUE(Make(ctrl, 139, 139));
    Scribble(ctrl, 139, 139);
    ctrl.PaintSkin();
    const ResourceBitmap skin(kDialSkin);
    EXPECT_EQ(WindowPixel(ctrl, 70, 70), skin.Pixel(70, 70));
    EXPECT_EQ(WindowPixel(ctrl, 3, 130), skin.Pixel(3, 130));
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
