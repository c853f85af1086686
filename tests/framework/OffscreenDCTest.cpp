// COffscreenDC: nothing reaches the destination until the object goes, then
// exactly the destination's clip box, in the destination's coordinates; the
// destination keeps its own objects; an empty clip box is drawn into directly
// and given back undeleted (the printer's way); no GDI object is left behind.
#include <gtest/gtest.h>

#include "framework/COffscreenDC.h"
#include "tests/support/GuiObjectCount.h"

namespace {

constexpr COLORREF kBlank = RGB(10, 20, 30);
constexpr COLORREF kFill = RGB(200, 0, 0);
constexpr COLORREF kDot = RGB(0, 200, 0);

// A 100 x 60 memory context over a 32-bit bitmap, cleared to kBlank.
class Canvas {
public:
    Canvas() {
        dc.CreateCompatibleDC(nullptr);
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 100, -60, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap = ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        old = dc.SelectObject(bitmap);
        dc.FillSolidRect(RECT{0, 0, 100, 60}, kBlank);
    }
    ~Canvas() {
        dc.SelectObject(old);
        ::DeleteObject(bitmap);
    }
    void Clip(const RECT& r) {
        const HRGN rgn = ::CreateRectRgn(r.left, r.top, r.right, r.bottom);
        ::SelectClipRgn(dc, rgn);
        ::DeleteObject(rgn);
    }
    COLORREF Pixel(int x, int y) const { return ::GetPixel(dc, x, y); }

    CDC dc;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
};

TEST(OffscreenDC, ShowsTheClipBoxOnlyWhenItGoes) {
    Canvas canvas;
    canvas.Clip(RECT{20, 10, 60, 30});
    {
        COffscreenDC dc(&canvas.dc);
        ASSERT_TRUE(dc.IsOffscreen());
        EXPECT_NE(dc.GetSafeHdc(), canvas.dc.GetSafeHdc());
        dc.FillSolidRect(RECT{0, 0, 100, 60}, kFill);
        dc.FillSolidRect(RECT{25, 15, 26, 16}, kDot);
        EXPECT_EQ(canvas.Pixel(30, 20), kBlank) << "drawn before the end";
    }
    const struct {
        int x, y;
        COLORREF color;
    } probes[] = {
        {25, 15, kDot},   {24, 15, kFill},  {20, 10, kFill}, {59, 29, kFill}, {60, 29, kBlank},
        {59, 30, kBlank}, {19, 10, kBlank}, {20, 9, kBlank}, {0, 0, kBlank},  {99, 59, kBlank},
    };
    for (const auto& p : probes) EXPECT_EQ(canvas.Pixel(p.x, p.y), p.color) << p.x << "," << p.y;
    EXPECT_EQ(::GetCurrentObject(canvas.dc, OBJ_BITMAP), canvas.bitmap);
}

TEST(OffscreenDC, EmptyClipBoxIsDrawnIntoDirectlyAndGivenBack) {
    Canvas canvas;
    canvas.Clip(RECT{0, 0, 0, 0});
    {
        COffscreenDC dc(&canvas.dc);
        EXPECT_FALSE(dc.IsOffscreen());
        EXPECT_EQ(dc.GetSafeHdc(), canvas.dc.GetSafeHdc());
    }
    // Still the canvas's own, not deleted with the object.
    EXPECT_EQ(::GetObjectType(canvas.dc), static_cast<DWORD>(OBJ_MEMDC));
    ::SelectClipRgn(canvas.dc, nullptr);
    canvas.dc.FillSolidRect(RECT{0, 0, 1, 1}, kDot);
    EXPECT_EQ(canvas.Pixel(0, 0), kDot);
}

TEST(OffscreenDC, LeavesNoGdiObject) {
    Canvas canvas;
    canvas.Clip(RECT{5, 5, 95, 55});
    { COffscreenDC warmUp(&canvas.dc); }
    const DWORD before = CountGuiObjects().gdi;
    for (int i = 0; i < 100; ++i) {
        COffscreenDC dc(&canvas.dc);
        dc.FillSolidRect(RECT{0, 0, 100, 60}, kFill);
    }
    EXPECT_EQ(CountGuiObjects().gdi, before);
}

}  // namespace
