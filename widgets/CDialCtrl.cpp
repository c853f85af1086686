#include "widgets/CDialCtrl.h"

#include <algorithm>

#include "framework/CPaintDC.h"
#include "framework/CPen.h"
#include "framework/CSelectScope.h"
#include "widgets/WindowRegion.h"

namespace {
// Client-centred coordinates, y up, one unit per pixel, for the scope.
class DrawingCoordinates {
public:
    DrawingCoordinates(CDC& dc, HWND hwnd) : m_dc(dc), m_saved(::SaveDC(dc)) {
        RECT rc{};
        ::GetClientRect(hwnd, &rc);
        const int w = rc.right - rc.left;
        const int h = rc.bottom - rc.top;
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(w, h);
        dc.SetViewportExt(w, -h);
        dc.SetViewportOrg(w / 2, h / 2);
    }
    ~DrawingCoordinates() { ::RestoreDC(m_dc, m_saved); }
    DrawingCoordinates(const DrawingCoordinates&) = delete;
    DrawingCoordinates& operator=(const DrawingCoordinates&) = delete;

private:
    CDC& m_dc;
    int m_saved;
};

// A 3-pixel white line, in drawing coordinates.
void DrawMark(CDC& dc, const dial::Mark& mark) {
    CPen pen(PS_SOLID, 3, RGB(255, 255, 255));
    CSelectScope select(dc, pen);
    dc.MoveTo(mark.outer.x, mark.outer.y);
    dc.LineTo(mark.inner.x, mark.inner.y);
}

// A 10-pixel circle with the DC's default pen and brush: black outline, white inside.
void DrawBall(CDC& dc, dial::Point centre) { dc.Ellipse(centre.x - 5, centre.y - 5, centre.x + 5, centre.y + 5); }

int ClientHeight(HWND hwnd) {
    RECT rc{};
    ::GetClientRect(hwnd, &rc);
    return rc.bottom - rc.top;
}
}  // namespace

CDialCtrl::CDialCtrl(UINT nBitmapId) { LoadSkin(nBitmapId); }

void CDialCtrl::TakeGeometry() {
    const dial::Radii radii = dial::RadiiFor(m_mode, ClientHeight(m_hWnd));
    m_outer = dial::Point{0, radii.outer};
    m_inner = dial::Point{0, radii.inner};
    m_count = 0;
}

bool CDialCtrl::ReachesBeyondSkin(const Shape& shape) const {
    RECT rc{};
    GetClientRect(&rc);
    // Lowest and rightmost device pixel, with a pixel to spare: a mark's pen
    // reaches 1.5 pixels beyond its ends, a circle 5 pixels beyond its centre.
    int right = 0;
    int bottom = 0;
    if (shape.kind == Shape::Kind::kMark) {
        right = std::max(shape.mark.outer.x, shape.mark.inner.x) + 2;
        bottom = -std::min(shape.mark.outer.y, shape.mark.inner.y) + 2;
    } else {
        right = shape.centre.x + 6;
        bottom = -shape.centre.y + 6;
    }
    return right + rc.right / 2 >= GetSkinWidth() || bottom + rc.bottom / 2 >= GetSkinHeight();
}

void CDialCtrl::KeepBeyondSkin(const Shape& shape) {
    if (!ReachesBeyondSkin(shape)) return;
    // A shape drawn again covers its earlier self: only its last place in the order counts.
    std::vector<Shape>& kept = m_pending.beyondSkin;
    kept.erase(std::remove(kept.begin(), kept.end(), shape), kept.end());
    kept.push_back(shape);
}

void CDialCtrl::ShowSkin() {
    using Picture = Pending::Picture;
    if (!m_hWnd) return;
    if (m_pending.picture == Picture::kMark || m_pending.picture == Picture::kMarkAndBall)
        KeepBeyondSkin(Shape{Shape::Kind::kMark, m_pending.mark, {}});
    if (m_pending.picture == Picture::kMarkAndBall) KeepBeyondSkin(Shape{Shape::Kind::kBall, {}, m_pending.ballCentre});
    if (m_pending.rest) KeepBeyondSkin(Shape{Shape::Kind::kMark, *m_pending.rest, {}});
    m_pending.picture = Picture::kSkin;
    m_pending.rest.reset();
}

void CDialCtrl::ShowMark(const dial::Mark& mark) {
    if (!m_hWnd) return;
    ShowSkin();
    m_pending.picture = Pending::Picture::kMark;
    m_pending.mark = mark;
}

void CDialCtrl::ShowMarkAndBall(const dial::Mark& mark) {
    if (!m_hWnd) return;
    ShowSkin();
    m_pending.picture = Pending::Picture::kMarkAndBall;
    m_pending.mark = mark;
    m_pending.ballCentre = dial::BallCentre(m_ball.x, m_ball.y);
}

void CDialCtrl::ShowRestMark(const dial::Mark& mark) {
    if (m_hWnd) m_pending.rest = mark;
}

void CDialCtrl::Rotate(int nCount) {
    if (!HasGeometry()) TakeGeometry();
    const dial::Step step = dial::RotateStep(m_mode, m_count, nCount);
    m_count = step.count;
    switch (step.draw) {
    case dial::Draw::kNothing:
        return;
    case dial::Draw::kRestMark:
        m_lastMark = dial::Mark{m_outer, m_inner};
        ShowRestMark(m_lastMark);
        break;
    case dial::Draw::kMark:
        m_lastMark = dial::MarkAt(m_outer, m_inner, step.angle);
        ShowMark(m_lastMark);
        break;
    case dial::Draw::kMarkAndBall:
        m_ringMark = dial::MarkAt(m_outer, m_inner, step.angle);
        m_lastMark = m_ringMark;
        ShowMarkAndBall(m_ringMark);
        break;
    }
    if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CDialCtrl::SetBallMark(int x, int y) {
    m_ball = dial::Point{x, y};
    m_lastMark = m_ringMark;
    ShowMarkAndBall(m_ringMark);
    if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CDialCtrl::PaintSkin() {
    if (!m_hWnd || !HasSkin()) return;
    ShowSkin();
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

BOOL CDialCtrl::SetEllipticRegion(const RECT& rc) { return SetEllipticWindowRegion(m_hWnd, rc); }

void CDialCtrl::DrawPending(CDC& dc) {
    using Picture = Pending::Picture;
    if (!m_pending.beyondSkin.empty()) {
        DrawingCoordinates coordinates(dc, m_hWnd);
        for (const Shape& shape : m_pending.beyondSkin) {
            if (shape.kind == Shape::Kind::kMark)
                DrawMark(dc, shape.mark);
            else
                DrawBall(dc, shape.centre);
        }
    }
    if (m_pending.picture != Picture::kNone) DrawSkin(dc);
    DrawingCoordinates coordinates(dc, m_hWnd);
    if (m_pending.picture == Picture::kMark || m_pending.picture == Picture::kMarkAndBall) DrawMark(dc, m_pending.mark);
    if (m_pending.picture == Picture::kMarkAndBall) DrawBall(dc, m_pending.ballCentre);
    if (m_pending.rest) DrawMark(dc, *m_pending.rest);
}

void CDialCtrl::DrawFromState(CDC& dc) {
    // What a Rotate by 0 (by the position itself where counts are positions)
    // would show, changing nothing; before the first Rotate, with the geometry
    // and the zero count that it will take.
    dial::Point outer = m_outer;
    dial::Point inner = m_inner;
    int count = m_count;
    if (!HasGeometry()) {
        const dial::Radii radii = dial::RadiiFor(m_mode, ClientHeight(m_hWnd));
        outer = dial::Point{0, radii.outer};
        inner = dial::Point{0, radii.inner};
        count = 0;
    }
    const bool position = m_mode == dial::Mode::kShuttle || m_mode == dial::Mode::kDmc;
    const dial::Step step = dial::RotateStep(m_mode, count, position ? m_count : 0);
    if (step.draw == dial::Draw::kMark || step.draw == dial::Draw::kMarkAndBall) DrawSkin(dc);
    DrawingCoordinates coordinates(dc, m_hWnd);
    switch (step.draw) {
    case dial::Draw::kNothing:
        break;
    case dial::Draw::kRestMark:
        DrawMark(dc, dial::Mark{outer, inner});
        break;
    case dial::Draw::kMark:
        DrawMark(dc, dial::MarkAt(outer, inner, step.angle));
        break;
    case dial::Draw::kMarkAndBall:
        DrawMark(dc, dial::MarkAt(outer, inner, step.angle));
        DrawBall(dc, dial::BallCentre(m_ball.x, m_ball.y));
        break;
    }
}

LRESULT CDialCtrl::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT: {
        CPaintDC dc(this);
        DrawPending(dc);
        // Only a paint this control did not ask for erases (the window was shown,
        // moved, exposed or invalidated by its owner): its old picture may be gone,
        // and it is redrawn from the state as it always was, OFF's mark at rest
        // over whatever is below.
        if (dc.m_ps.fErase) DrawFromState(dc);
        m_pending = Pending{};
        return 0;
    }
    case WM_DESTROY:
        m_pending = Pending{};
        return CSkinCtrl::WindowProc(msg, wp, lp);
    default:
        return CSkinCtrl::WindowProc(msg, wp, lp);
    }
}
