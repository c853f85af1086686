#include "widgets/WindowRegion.h"

#include "framework/CRgn.h"

namespace {
BOOL GiveRegion(HWND hwnd, CRgn& rgn) {
    if (!hwnd || !rgn.GetSafeHandle()) return FALSE;
    if (!::SetWindowRgn(hwnd, rgn, TRUE)) return FALSE;
    rgn.Detach();
    return TRUE;
}
}  // namespace

BOOL SetEllipticWindowRegion(HWND hwnd, const RECT& rc) {
    CRgn rgn;
    rgn.CreateEllipticRgn(rc.left, rc.top, rc.right, rc.bottom);
    return GiveRegion(hwnd, rgn);
}

BOOL SetPolygonWindowRegion(HWND hwnd, const POINT* points, int count, int fillMode) {
    CRgn rgn;
    rgn.CreatePolygonRgn(points, count, fillMode);
    return GiveRegion(hwnd, rgn);
}
