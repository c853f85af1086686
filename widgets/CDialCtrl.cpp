#include "CDialCtrl.h"

#include "CClientDC.h"
#include "CPen.h"
#include "CSelectScope.h"
#include "CPaintDC.h"
#include "WindowRegion.h"

namespace {
// Client-centred coordinates, y up, one unit per pixel.
void SetDrawingCoordinates(CDC& dc, HWND hwnd) {
    RECT rc{};
    ::GetClientRect(hwnd, &rc);
    const int w = rc.right - rc.left;
    const int h = rc.bottom - rc.top;
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(w, h);
    dc.SetViewportExt(w, -h);
    dc.SetViewportOrg(w / 2, h / 2);
}
}  // namespace

CDialCtrl::CDialCtrl(UINT nBitmapId) { LoadSkin(nBitmapId); }

void CDialCtrl::TakeGeometry() {
    RECT rc{};
    GetClientRect(&rc);
    const dial::Radii radii = dial::RadiiFor(m_nMode, rc.bottom - rc.top);
    m_ptOuter = dial::Point{0, radii.outer};
    m_ptInner = dial::Point{0, radii.inner};
    m_nCount = 0;
}

void CDialCtrl::DrawMark(const dial::Mark& mark) {
    m_lastMark = mark;
    if (!m_hWnd) return;
    CClientDC dc(this);
    if (!dc.GetSafeHdc()) return;
    SetDrawingCoordinates(dc, m_hWnd);
    CPen pen(PS_SOLID, 3, RGB(255, 255, 255));
    CSelectScope select(dc, pen);
    dc.MoveTo(mark.outer.x, mark.outer.y);
    dc.LineTo(mark.inner.x, mark.inner.y);
}

void CDialCtrl::DrawBall() {
    const dial::Point p = dial::BallCentre(m_ptBall.x, m_ptBall.y);
    PaintSkin();
    DrawMark(m_ringMark);
    if (!m_hWnd) return;
    CClientDC dc(this);
    if (!dc.GetSafeHdc()) return;
    SetDrawingCoordinates(dc, m_hWnd);
    dc.Ellipse(p.x - 5, p.y - 5, p.x + 5, p.y + 5);
}

void CDialCtrl::Rotate(int nCount) {
    if (m_ptOuter.y == 0 && m_ptOuter.x == 0) TakeGeometry();
    const dial::Step step = dial::RotateStep(m_nMode, m_nCount, nCount);
    m_nCount = step.count;
    switch (step.draw) {
    case dial::Draw::kNothing:
        break;
    case dial::Draw::kRestMark:
        DrawMark(dial::Mark{m_ptOuter, m_ptInner});
        break;
    case dial::Draw::kMark:
        PaintSkin();
        DrawMark(dial::MarkAt(m_ptOuter, m_ptInner, step.angle));
        break;
    case dial::Draw::kMarkAndBall: {
        const dial::Mark mark = dial::MarkAt(m_ptOuter, m_ptInner, step.angle);
        PaintSkin();
        DrawMark(mark);
        m_ringMark = mark;
        DrawBall();
        break;
    }
    }
}

void CDialCtrl::SetBallMark(int x, int y) {
    m_ptBall = dial::Point{x, y};
    DrawBall();
}

BOOL CDialCtrl::SetEllipticRegion(const RECT& rc) { return SetEllipticWindowRegion(m_hWnd, rc); }

LRESULT CDialCtrl::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT: {
        CPaintDC dc(this);
        switch (m_nMode) {
        case dial::kModeKnob:
        case dial::kModeRing:
        case dial::kModeOff:
        case dial::kModeJog:
            Rotate(0);
            break;
        case dial::kModeShuttle:
        case dial::kModeDmc:
            Rotate(m_nCount);
            break;
        default:
            break;
        }
        return 0;
    }
    default:
        return CSkinCtrl::WindowProc(msg, wp, lp);
    }
}
