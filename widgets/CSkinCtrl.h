// A child window that paints one bitmap resource at its top-left corner. The
// bitmap is loaded once; the memory DC it is copied from is made at the first
// paint that needs it and goes with the window, so a control that is never
// shown (a lamp that stays dark) holds no DC at all.
#pragma once

#include <optional>

#include "framework/CBitmap.h"
#include "framework/CDC.h"
#include "framework/CSelectScope.h"
#include "framework/CWnd.h"

class CSkinCtrl : public CWnd {
public:
    CSkinCtrl() = default;
    ~CSkinCtrl() override;

    // Loads the skin from the module that holds the bitmap resource. Once per
    // control, usually before the window exists; a failed load leaves the
    // control without a skin (it then paints nothing). A second call is refused.
    BOOL LoadSkin(UINT nBitmapId);

    // Shows the bare skin at (0, 0), unscaled, from the window's next paint on.
    // Callable at any time; calls before the window paints cost one copy.
    virtual void PaintSkin();

    // Creates the control. With a parent the window is always a child, even
    // when the style omits WS_CHILD; a null class name gives the plain child
    // class, which has no background brush.
    BOOL Create(LPCWSTR className, LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetSkinWidth() const { return m_width; }
    int GetSkinHeight() const { return m_height; }
    bool HasSkin() const { return m_width != 0 || m_height != 0; }
    // For inspection: whether the skin's memory DC exists right now.
    bool HasMemoryDC() const { return m_skinDC.has_value(); }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    // Copies the skin to dc at (0, 0) in device pixels, unscaled.
    void DrawSkin(HDC dc);

private:
    // The skin selected into a screen-compatible memory DC for as long as this lives.
    class SkinDC {
    public:
        explicit SkinDC(HBITMAP skin);
        HDC Get() const { return m_dc; }

    private:
        CDC m_dc;
        CSelectScope m_select;
    };

    CBitmap m_bmpSkin;
    int m_width = 0;
    int m_height = 0;
    // After the bitmap: the DC lets go of it before the bitmap is deleted.
    std::optional<SkinDC> m_skinDC;
};
