#pragma once

#include "framework/CBitmap.h"
#include "framework/CButton.h"

// Owner-drawn button that shows one of up to four bitmaps by its state.
class CBitmapButton : public CButton {
public:
    // Normal bitmap required; 0 for the selected, focus or disabled bitmap means none.
    BOOL LoadBitmaps(UINT normal, UINT selected = 0, UINT focus = 0, UINT disabled = 0);

protected:
    void DrawItem(LPDRAWITEMSTRUCT dis) override;

    CBitmap m_bitmap;
    CBitmap m_bitmapSel;
    CBitmap m_bitmapFocus;
    CBitmap m_bitmapDisabled;
};
