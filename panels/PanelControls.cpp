#include "panels/PanelControls.h"

namespace {
// Owner-drawn, and clipping the lamp windows some keys carry.
constexpr DWORD kKeyStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | BS_OWNERDRAW;
}  // namespace

void CreateKey(CShapedButton& key, CWnd* parent, UINT id, int x, int y, int w, int h, UINT normalBitmap,
               UINT pressedBitmap) {
    const RECT rect{x, y, x + w, y + h};
    key.Create(L"", kKeyStyle, rect, parent, id);
    key.LoadBitmaps(normalBitmap, pressedBitmap);
    key.MoveWindow(rect, TRUE);
}

void ApplyKeyOutline(CShapedButton& key, KeyOutline outline, const RECT& ellipse) {
    switch (outline) {
    case KeyOutline::Ellipse:
        key.SetEllipticRegion(ellipse);
        break;
    case KeyOutline::LeftWing:
        key.SetLeftWingRegion();
        break;
    case KeyOutline::RightWing:
        key.SetRightWingRegion();
        break;
    case KeyOutline::Rectangle:
        break;
    }
}
