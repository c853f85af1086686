#include "framework/CBitmap.h"

#include "framework/CWinApp.h"

BOOL CBitmap::LoadBitmap(UINT id) {
    HINSTANCE module = AfxGetResourceHandle();
    if (!::FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2) /* RT_BITMAP */)) return FALSE;
    Attach(static_cast<HBITMAP>(::LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    return m_handle != nullptr;
}

SIZE CBitmap::GetSize() const {
    BITMAP bm{};
    if (!m_handle || !::GetObjectW(m_handle, sizeof bm, &bm)) return SIZE{0, 0};
    return SIZE{bm.bmWidth, bm.bmHeight};
}
