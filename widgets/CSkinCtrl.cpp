#include "widgets/CSkinCtrl.h"

#include "framework/CPaintDC.h"

namespace {
HDC CreateScreenCompatible(CDC& dc) {
    dc.CreateCompatibleDC(nullptr);
    return dc.GetSafeHdc();
}
}  // namespace

CSkinCtrl::SkinDC::SkinDC(HBITMAP skin) : m_select(CreateScreenCompatible(m_dc), skin) {}

// The members go in reverse order: the DC first, then the skin bitmap.
CSkinCtrl::~CSkinCtrl() = default;

BOOL CSkinCtrl::LoadSkin(UINT nBitmapId) {
    if (m_bmpSkin.GetSafeHandle()) return FALSE;
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(nBitmapId)) return FALSE;
    const SIZE size = bitmap.GetSize();
    m_bmpSkin.Attach(bitmap.Detach());
    m_width = size.cx;
    m_height = size.cy;
    return TRUE;
}

void CSkinCtrl::PaintSkin() {
    if (m_hWnd && HasSkin()) ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CSkinCtrl::DrawSkin(HDC dc) {
    if (!m_bmpSkin.GetSafeHandle()) return;
    if (!m_skinDC) m_skinDC.emplace(m_bmpSkin);
    ::BitBlt(dc, 0, 0, m_width, m_height, m_skinDC->Get(), 0, 0, SRCCOPY);
}

BOOL CSkinCtrl::Create(LPCWSTR className, LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (parent) style |= WS_CHILD;
    return CWnd::Create(className, text, style, rect, parent, id);
}

LRESULT CSkinCtrl::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT: {
        CPaintDC dc(this);
        if (HasSkin()) DrawSkin(dc);
        return 0;
    }
    case WM_DESTROY:
        m_skinDC.reset();
        return CWnd::WindowProc(msg, wp, lp);
    default:
        return CWnd::WindowProc(msg, wp, lp);
    }
}
