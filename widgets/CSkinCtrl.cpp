#include "CSkinCtrl.h"

#include "CClientDC.h"
#include "CPaintDC.h"

CSkinCtrl::~CSkinCtrl() {
    // The DC goes first, then the bitmap that was selected into it.
    if (m_hOldBitmap) m_dcMemory.SelectObject(m_hOldBitmap);
    m_dcMemory.DeleteDC();
    m_bmpSkin.DeleteObject();
}

BOOL CSkinCtrl::LoadSkin(UINT nBitmapId) {
    if (m_bmpSkin.GetSafeHandle()) return FALSE;
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(nBitmapId)) return FALSE;
    if (!m_dcMemory.CreateCompatibleDC(nullptr)) return FALSE;
    const SIZE size = bitmap.GetSize();
    const HGDIOBJ old = m_dcMemory.SelectObject(bitmap);
    if (!old || old == HGDI_ERROR) {
        m_dcMemory.DeleteDC();
        return FALSE;
    }
    m_bmpSkin.Attach(bitmap.Detach());
    m_hOldBitmap = old;
    m_nWidth = size.cx;
    m_nHeight = size.cy;
    return TRUE;
}

void CSkinCtrl::PaintSkin() {
    if (!m_hWnd || !m_bmpSkin.GetSafeHandle()) return;
    CClientDC dc(this);
    if (!dc.GetSafeHdc()) return;
    dc.BitBlt(0, 0, m_nWidth, m_nHeight, m_dcMemory, 0, 0, SRCCOPY);
}

BOOL CSkinCtrl::Create(LPCWSTR className, LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (parent) style |= WS_CHILD;
    return CWnd::Create(className, text, style, rect, parent, id);
}

LRESULT CSkinCtrl::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT: {
        CPaintDC dc(this);
        if (m_nWidth != 0 || m_nHeight != 0) PaintSkin();
        return 0;
    }
    default:
        return CWnd::WindowProc(msg, wp, lp);
    }
}
