// A child window that paints one bitmap resource at its top-left corner. The
// bitmap is loaded once into a memory DC and stays selected there for the
// control's life, so painting is a single block copy.
#pragma once

#include "CDC.h"
#include "CBitmap.h"
#include "CWnd.h"

class CSkinCtrl : public CWnd {
public:
    CSkinCtrl() = default;
    ~CSkinCtrl() override;

    // Loads the skin from the module that holds the bitmap resource. Once per
    // control, usually before the window exists; a failed load leaves the
    // control without a skin (it then paints nothing). A second call is refused.
    BOOL LoadSkin(UINT nBitmapId);

    // Copies the skin to the window at (0, 0), unscaled, through the window's
    // own DC; callable at any time while the window exists.
    void PaintSkin();

    // Creates the control. With a parent the window is always a child, even
    // when the style omits WS_CHILD; a null class name gives the plain child
    // class, which has no background brush.
    BOOL Create(LPCWSTR className, LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetSkinWidth() const { return m_nWidth; }
    int GetSkinHeight() const { return m_nHeight; }
    bool HasSkin() const { return m_nWidth != 0 || m_nHeight != 0; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    CDC m_dcMemory;
    CBitmap m_bmpSkin;
    int m_nWidth = 0;
    int m_nHeight = 0;
    HGDIOBJ m_hOldBitmap = nullptr;
};
