#include "widgets/CShapedButton.h"

#include "widgets/WindowRegion.h"

namespace {
CShapedButton::BeepProc g_beep = &::Beep;
}

const POINT CShapedButton::kLeftWingOutline[7] = {{34, 0}, {45, 26}, {51, 50}, {22, 72}, {3, 39}, {0, 0}, {34, 0}};
const POINT CShapedButton::kRightWingOutline[7] = {{52, 1}, {48, 43}, {27, 72}, {0, 52}, {10, 28}, {16, 0}, {52, 1}};

CShapedButton::BeepProc CShapedButton::SetBeepProc(BeepProc proc) {
    const BeepProc old = g_beep;
    g_beep = proc ? proc : &::Beep;
    return old;
}

BOOL CShapedButton::SetEllipticRegion(const RECT& rc) { return SetEllipticWindowRegion(m_hWnd, rc); }

BOOL CShapedButton::SetLeftWingRegion() { return SetPolygonWindowRegion(m_hWnd, kLeftWingOutline, 7, WINDING); }

BOOL CShapedButton::SetRightWingRegion() { return SetPolygonWindowRegion(m_hWnd, kRightWingOutline, 7, WINDING); }

LRESULT CShapedButton::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_LBUTTONDOWN:
    // The second press of a double click would otherwise reach the button and
    // notify the parent: the key must not act on the mouse at all.
    case WM_LBUTTONDBLCLK:
        // Not passed on: no push, no capture, no focus, no notification.
        g_beep(kBeepFrequency, kBeepDuration);
        return 0;
    // The system button would draw a new state at once, through a DC of its own.
    case BM_SETSTATE:
        if ((wp != 0) != m_pushed) {
            m_pushed = wp != 0;
            if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, FALSE);
        }
        return 0;
    case BM_GETSTATE: {
        const UINT state = static_cast<UINT>(CBitmapButton::WindowProc(msg, wp, lp)) & ~static_cast<UINT>(BST_PUSHED);
        return m_pushed ? (state | BST_PUSHED) : state;
    }
    default:
        return CBitmapButton::WindowProc(msg, wp, lp);
    }
}

void CShapedButton::DrawItem(LPDRAWITEMSTRUCT dis) {
    DRAWITEMSTRUCT item = *dis;
    if (m_pushed)
        item.itemState |= ODS_SELECTED;
    else
        item.itemState &= ~static_cast<UINT>(ODS_SELECTED);
    CBitmapButton::DrawItem(&item);
}
