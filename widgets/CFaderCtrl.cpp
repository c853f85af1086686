#include "widgets/CFaderCtrl.h"

#include <algorithm>

#include "framework/CGdiObject.h"
#include "framework/CPaintDC.h"
#include "widgets/FaderGeometry.h"

namespace {
fader::Rect ToFader(const RECT& r) {
    return fader::Rect{static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right),
                       static_cast<int>(r.bottom)};
}

RECT ToRECT(const fader::Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

fader::Point ToFader(POINT p) { return fader::Point{static_cast<int>(p.x), static_cast<int>(p.y)}; }

POINT PointOf(LPARAM lp) {
    return POINT{static_cast<short>(LOWORD(static_cast<DWORD_PTR>(lp))),
                 static_cast<short>(HIWORD(static_cast<DWORD_PTR>(lp)))};
}

bool Inside(const RECT& outer, const RECT& inner) {
    return outer.left <= inner.left && outer.top <= inner.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}
}  // namespace

// What a creation operation has checked and prepared; it becomes the fader's
// state only once every check has passed.
struct CFaderCtrl::Setup {
    bool horizontal = true;
    RECT window{};
    RECT track{};
    RECT thumb{};
    UINT backgroundId = 0;
    UINT thumbId = 0;
    COLORREF mask = kNoMask;
    ImageList imageList;
};

CFaderCtrl::~CFaderCtrl() = default;

bool CFaderCtrl::PrepareSetup(DWORD flags, int x, int y, const RECT& track, UINT backgroundId, UINT thumbId,
                              COLORREF mask, Setup& setup) const {
    if ((flags & WS_CHILD) == 0 || (flags & WS_VISIBLE) == 0 || (flags & (kHorizontal | kVertical)) == 0) return false;
    setup.horizontal = (flags & kHorizontal) != 0;

    CBitmap background;
    if (!background.LoadBitmap(backgroundId)) return false;
    const SIZE backgroundSize = background.GetSize();
    background.DeleteObject();  // only proves the resource; the window loads its own

    CBitmap thumb;
    if (!thumb.LoadBitmap(thumbId)) return false;
    const SIZE thumbSize = thumb.GetSize();

    if (mask != kNoMask) {
        int w = thumbSize.cx;
        int h = thumbSize.cy;
        if (setup.horizontal)
            h = std::min<int>(h, track.bottom - track.top);
        else
            w = std::min<int>(w, track.right - track.left);
        setup.imageList.reset(::ImageList_Create(w, h, ILC_MASK | ILC_COLORDDB, 1, 0));
        if (setup.imageList) ::ImageList_AddMasked(setup.imageList.get(), thumb, mask);
        setup.mask = mask;
    }

    setup.backgroundId = backgroundId;
    setup.thumbId = thumbId;
    setup.window = RECT{x, y, x + backgroundSize.cx, y + backgroundSize.cy};
    if (backgroundSize.cx < track.right || backgroundSize.cy < track.bottom) return false;
    setup.track = track;
    setup.thumb = RECT{track.left, track.top, track.left + thumbSize.cx, track.top + thumbSize.cy};
    return true;
}

void CFaderCtrl::Commit(Setup& setup) {
    m_horizontal = setup.horizontal;
    m_trackRect = setup.track;
    m_thumbRect = setup.thumb;
    m_thumbId = setup.thumbId;
    m_crMask = setup.mask;
    m_imageList = std::move(setup.imageList);
    // There is no window now; the next one takes the background it is set up with.
    m_backgroundId = setup.backgroundId;
    m_selectBackground.reset();
    m_dcBackground.DeleteDC();
    m_bmpBackground.DeleteObject();
    m_backgroundWidth = 0;
    m_backgroundHeight = 0;
}

BOOL CFaderCtrl::CreateFader(DWORD flags, int x, int y, CWnd* parent, RECT track, UINT backgroundId, UINT thumbId,
                             COLORREF mask) {
    if (m_hWnd) return FALSE;
    Setup setup;
    if (!PrepareSetup(flags, x, y, track, backgroundId, thumbId, mask, setup)) return FALSE;
    m_textMode = false;
    Commit(setup);
    return Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, setup.window, parent, 0);
}

BOOL CFaderCtrl::CreateFaderWithText(DWORD flags, int x, int y, CWnd* parent, RECT track, UINT backgroundId,
                                     UINT thumbId, COLORREF mask, RECT text, HFONT font, COLORREF textBack,
                                     COLORREF textColour) {
    (void)parent;  // the caller names the parent when it creates the window
    if (m_hWnd) return FALSE;
    Setup setup;
    if (!PrepareSetup(flags, x, y, track, backgroundId, thumbId, mask, setup)) return FALSE;
    if (setup.window.right - setup.window.left < text.right || setup.window.bottom - setup.window.top < text.bottom)
        return FALSE;
    m_textMode = true;
    Commit(setup);
    m_textRect = text;
    m_font = font;
    m_crTextBack = textBack;
    m_crText = textColour;
    return TRUE;
}

BOOL CFaderCtrl::Create(LPCWSTR className, LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(0, className, text, style, rect, parent, id);
}

BOOL CFaderCtrl::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR text, DWORD /*style*/, const RECT& rect,
                          CWnd* parent, UINT id) {
    return CWnd::CreateEx(exStyle, className, text, WS_CHILD | WS_VISIBLE, rect, parent, id);
}

void CFaderCtrl::PreSubclassWindow() { LoadBackground(); }

void CFaderCtrl::LoadBackground() {
    if (m_selectBackground || m_backgroundId == 0) return;
    if (!m_bmpBackground.LoadBitmap(m_backgroundId)) return;
    if (!m_dcBackground.CreateCompatibleDC(nullptr)) {
        m_bmpBackground.DeleteObject();
        return;
    }
    const SIZE size = m_bmpBackground.GetSize();
    m_backgroundWidth = size.cx;
    m_backgroundHeight = size.cy;
    m_selectBackground.emplace(m_dcBackground, m_bmpBackground);
}

BOOL CFaderCtrl::SetPos(int v) {
    if (m_dragging) return FALSE;
    if (v < m_min || v > m_max) return FALSE;
    const fader::Rect track = ToFader(m_trackRect);
    const fader::Rect thumb = ToFader(m_thumbRect);
    const int offset = fader::OffsetOf(m_min, m_max, fader::Span(m_horizontal, track, thumb), v);
    m_thumbRect = ToRECT(fader::PlaceThumb(m_horizontal, track, thumb, offset));
    if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, FALSE);
    m_value = v;
    return TRUE;
}

void CFaderCtrl::GetRange(int& nMin, int& nMax) const {
    nMin = m_min;
    nMax = m_max;
}

BOOL CFaderCtrl::SetRange(int nMin, int nMax) {
    if (nMin >= nMax) return FALSE;
    m_min = nMin;
    m_max = nMax;
    ValueFromThumb();
    return TRUE;
}

BOOL CFaderCtrl::SetRangeMax(int nMax) {
    if (nMax < m_min) return FALSE;
    m_max = nMax;
    ValueFromThumb();
    return TRUE;
}

BOOL CFaderCtrl::SetRangeMin(int nMin) {
    if (nMin > m_max) return FALSE;
    m_min = nMin;
    ValueFromThumb();
    return TRUE;
}

void CFaderCtrl::GetThumbRect(RECT* rc) const {
    if (rc) *rc = m_thumbRect;
}

BOOL CFaderCtrl::SetTextFont(HFONT font) {
    if (!font) return FALSE;
    m_font = font;
    InvalidateText();
    return TRUE;
}

void CFaderCtrl::NotifyParent() {
    const HWND parent = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    // A null window would post to the thread's queue instead.
    if (!parent) return;
    ::PostMessageW(parent, m_horizontal ? WM_FADER_HCHANGED : WM_FADER_VCHANGED, static_cast<WPARAM>(m_value),
                   reinterpret_cast<LPARAM>(m_hWnd));
}

void CFaderCtrl::GetValueText(std::wstring& text) const { text = std::to_wstring(m_value); }

LRESULT CFaderCtrl::OnSetPosMessage(WPARAM wp, LPARAM /*lp*/) {
    SetPos(static_cast<int>(wp));
    NotifyParent();
    return 0;
}

void CFaderCtrl::ValueFromThumb() {
    const fader::Rect track = ToFader(m_trackRect);
    const fader::Rect thumb = ToFader(m_thumbRect);
    const int value = fader::ValueAt(m_min, m_max, fader::Span(m_horizontal, track, thumb),
                                     fader::Offset(m_horizontal, track, thumb), m_value);
    if (value != m_value) InvalidateText();
    m_value = value;
}

void CFaderCtrl::InvalidateText() {
    if (m_hWnd && m_textMode) ::InvalidateRect(m_hWnd, &m_textRect, FALSE);
}

void CFaderCtrl::MoveThumbTo(const RECT& thumb) {
    if (m_hWnd) {
        ::InvalidateRect(m_hWnd, &m_trackRect, FALSE);
        // A thumb broader than its track reaches beyond the track rectangle.
        if (!Inside(m_trackRect, m_thumbRect)) ::InvalidateRect(m_hWnd, &m_thumbRect, FALSE);
        if (!Inside(m_trackRect, thumb)) ::InvalidateRect(m_hWnd, &thumb, FALSE);
    }
    m_thumbRect = thumb;
    InvalidateText();
}

bool CFaderCtrl::OnLButtonDown(POINT p) {
    const bool onThumb = fader::Contains(ToFader(m_thumbRect), ToFader(p));
    if (!onThumb && !fader::Contains(ToFader(m_trackRect), ToFader(p))) return false;
    ::SetFocus(m_hWnd);
    ::SetCapture(m_hWnd);
    m_holding = true;
    m_dragging = true;
    if (!onThumb) {
        MoveThumbTo(ToRECT(fader::CentreThumb(m_horizontal, ToFader(m_trackRect), ToFader(m_thumbRect), ToFader(p))));
        ValueFromThumb();
    }
    m_last = p;
    NotifyParent();
    return true;
}

void CFaderCtrl::OnDrag(POINT p) {
    const int delta = m_horizontal ? p.x - m_last.x : p.y - m_last.y;
    MoveThumbTo(ToRECT(fader::MoveThumb(m_horizontal, ToFader(m_trackRect), ToFader(m_thumbRect), delta)));
    ValueFromThumb();
    m_last = p;
    NotifyParent();
}

void CFaderCtrl::OnLButtonUp() {
    m_holding = false;
    if (::GetCapture() == m_hWnd) {
        m_releasingCapture = true;
        ::ReleaseCapture();
        m_releasingCapture = false;
    }
    m_dragging = false;
    if (const HWND parent = ::GetParent(m_hWnd))
        ::PostMessageW(parent, WM_FADER_RELEASED, static_cast<WPARAM>(m_value), reinterpret_cast<LPARAM>(m_hWnd));
}

void CFaderCtrl::OnCaptureChanged(HWND newCapture) {
    if (m_releasingCapture || newCapture == m_hWnd) return;
    // Another window took the mouse (a menu, a message box, a task switch): the
    // button will go up elsewhere, so the release is reported now, or the
    // parent would think the thumb still held.
    m_dragging = false;
    if (!m_holding) return;
    m_holding = false;
    if (const HWND parent = ::GetParent(m_hWnd))
        ::PostMessageW(parent, WM_FADER_RELEASED, static_cast<WPARAM>(m_value), reinterpret_cast<LPARAM>(m_hWnd));
}

void CFaderCtrl::Paint(HDC target) {
    if (m_thumbId == 0 || !m_selectBackground) return;
    const int w = m_backgroundWidth;
    const int h = m_backgroundHeight;
    // Composed off-screen and copied once: the window never shows the bare
    // background under the thumb.
    CDC frame;
    if (!frame.CreateCompatibleDC(target)) return;
    CGdiObject<HBITMAP> bitmap(::CreateCompatibleBitmap(target, w, h));
    if (!bitmap.GetSafeHandle()) return;
    CSelectScope select(frame, bitmap);
    ::BitBlt(frame, 0, 0, w, h, m_dcBackground, 0, 0, SRCCOPY);
    DrawThumb(frame);
    if (m_textMode) DrawValueText(frame);
    ::BitBlt(target, 0, 0, w, h, frame, 0, 0, SRCCOPY);
}

void CFaderCtrl::DrawThumb(HDC dc) {
    if (m_crMask != kNoMask) {
        if (m_imageList) ::ImageList_Draw(m_imageList.get(), 0, dc, m_thumbRect.left, m_thumbRect.top, ILD_TRANSPARENT);
        return;
    }
    CBitmap thumb;
    if (!thumb.LoadBitmap(m_thumbId)) return;
    const SIZE size = thumb.GetSize();
    CDC source;
    if (!source.CreateCompatibleDC(dc)) return;
    CSelectScope select(source, thumb);
    ::BitBlt(dc, m_thumbRect.left, m_thumbRect.top, size.cx, size.cy, source, 0, 0, SRCCOPY);
}

void CFaderCtrl::DrawValueText(HDC dc) {
    CGdiObject<HBRUSH> brush(::CreateSolidBrush(m_crTextBack));
    ::FillRect(dc, &m_textRect, brush);
    std::wstring text;
    GetValueText(text);
    const int length = static_cast<int>(text.size());
    CSelectScope font(dc, m_font);
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = ::SetTextColor(dc, m_crText);
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, text.c_str(), length, &extent);
    fader::Point origin;
    if (fader::TextOrigin(ToFader(m_textRect), extent.cx, extent.cy, &origin))
        ::TextOutW(dc, origin.x, origin.y, text.c_str(), length);
    ::SetTextColor(dc, oldColour);
    ::SetBkMode(dc, oldMode);
}

LRESULT CFaderCtrl::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT: {
        CPaintDC dc(this);
        Paint(dc);
        return 0;
    }
    case WM_LBUTTONDOWN:
        if (OnLButtonDown(PointOf(lp))) return 0;
        break;
    case WM_MOUSEMOVE: {
        if (!m_dragging) break;
        const POINT p = PointOf(lp);
        // Outside the track the drag pauses; it goes on from the last point inside.
        if (!fader::Contains(ToFader(m_trackRect), ToFader(p))) return 0;
        OnDrag(p);
        break;
    }
    case WM_LBUTTONUP:
        OnLButtonUp();
        break;
    case WM_KILLFOCUS: {
        const LRESULT result = CWnd::WindowProc(msg, wp, lp);
        m_dragging = false;  // the capture stays until the button goes up
        return result;
    }
    case WM_CAPTURECHANGED:
        OnCaptureChanged(reinterpret_cast<HWND>(lp));
        break;
    case WM_DESTROY:
        m_holding = false;
        m_dragging = false;
        break;
    case WM_FADER_SETPOS:
        return OnSetPosMessage(wp, lp);
    default:
        break;
    }
    return CWnd::WindowProc(msg, wp, lp);
}
