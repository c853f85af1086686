#include "framework/CBitmapButton.h"

#include "framework/CDC.h"
#include "framework/CSelectScope.h"

BOOL CBitmapButton::LoadBitmaps(UINT normal, UINT selected, UINT focus, UINT disabled) {
    m_bitmap.DeleteObject();
    m_bitmapSel.DeleteObject();
    m_bitmapFocus.DeleteObject();
    m_bitmapDisabled.DeleteObject();
    if (!m_bitmap.LoadBitmap(normal)) return FALSE;
    BOOL all = TRUE;
    if (selected && !m_bitmapSel.LoadBitmap(selected)) all = FALSE;
    if (focus && !m_bitmapFocus.LoadBitmap(focus)) all = FALSE;
    if (disabled && !m_bitmapDisabled.LoadBitmap(disabled)) all = FALSE;
    return all;
}

void CBitmapButton::DrawItem(LPDRAWITEMSTRUCT dis) {
    HBITMAP bitmap = m_bitmap;
    const UINT state = dis->itemState;
    if ((state & ODS_SELECTED) && m_bitmapSel.GetSafeHandle())
        bitmap = m_bitmapSel;
    else if ((state & ODS_FOCUS) && m_bitmapFocus.GetSafeHandle())
        bitmap = m_bitmapFocus;
    else if ((state & ODS_DISABLED) && m_bitmapDisabled.GetSafeHandle())
        bitmap = m_bitmapDisabled;
    if (!bitmap) return;

    CDC memory;
    if (!memory.CreateCompatibleDC(dis->hDC)) return;
    CSelectScope select(memory, bitmap);
    const RECT& r = dis->rcItem;
    ::BitBlt(dis->hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, memory, 0, 0, SRCCOPY);
}
