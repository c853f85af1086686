// A self-painted fader: a slot bitmap with a thumb bitmap on it whose place
// stands for an integer value within a range. The user drags the thumb or
// clicks into the track to make it jump there; every change and every release
// of the left button is posted to the parent. Calls and mouse handlers change
// the state and mark what has to be shown; WM_PAINT draws it off-screen and
// puts it on the window in one copy, so a dragged thumb does not flicker.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <optional>
#include <string>
#include <type_traits>

#include "framework/CBitmap.h"
#include "framework/CDC.h"
#include "framework/CSelectScope.h"
#include "framework/CWnd.h"

// Every fader has control id 0: its parent tells faders apart by the window
// handle that the posted messages carry in lParam.
constexpr UINT WM_FADER_HCHANGED = WM_USER + 0x64;  // from a horizontal fader: wParam value, lParam its window
constexpr UINT WM_FADER_VCHANGED = WM_USER + 0x65;  // from a vertical fader: wParam value, lParam its window
constexpr UINT WM_FADER_SETPOS = WM_USER + 0x66;    // to a fader: wParam the new value
constexpr UINT WM_FADER_RELEASED = WM_USER + 0x67;  // the left button went up: wParam value, lParam its window

class CFaderCtrl : public CWnd {
public:
    // Orientation bits of the creation flags, beside WS_CHILD | WS_VISIBLE; a
    // horizontal fader's value grows to the right, a vertical one's upward.
    static constexpr DWORD kHorizontal = 0x1;
    static constexpr DWORD kVertical = 0x2;
    // The mask colour that asks for a plain, unmasked thumb.
    static constexpr COLORREF kNoMask = static_cast<COLORREF>(-1);

    CFaderCtrl() = default;
    ~CFaderCtrl() override;

    // Sets the fader up and creates its window at (x, y), as large as the
    // background bitmap, control id 0. FALSE, with nothing changed and no
    // window, when the flags lack WS_CHILD, WS_VISIBLE or an orientation bit
    // (horizontal wins if both are set), when a bitmap does not load, when the
    // track does not fit into the background, or while the fader has a window.
    // FALSE too when the window itself cannot be made; the set-up then stays,
    // for a later Create. With a mask colour the thumb is drawn through a
    // masked image list.
    BOOL CreateFader(DWORD flags, int x, int y, CWnd* parent, RECT track, UINT backgroundId, UINT thumbId,
                     COLORREF mask);
    // The same set-up plus a value-text box inside the background; makes no
    // window: the caller creates it with Create. FALSE also when the text box
    // does not fit into the background.
    BOOL CreateFaderWithText(DWORD flags, int x, int y, CWnd* parent, RECT track, UINT backgroundId, UINT thumbId,
                             COLORREF mask, RECT text, HFONT font, COLORREF textBack, COLORREF textColour);

    // Whatever style is asked for, a fader window is a visible child.
    BOOL Create(LPCWSTR className, LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id);

    virtual int GetPos() const { return m_value; }
    // Puts the thumb where v belongs and keeps v as the value; the parent is not
    // told. Refused (FALSE, nothing changed) outside the range and while the
    // user holds the thumb.
    virtual BOOL SetPos(int v);
    virtual void GetRange(int& nMin, int& nMax) const;
    virtual int GetRangeMax() const { return m_max; }
    virtual int GetRangeMin() const { return m_min; }
    // The thumb stays; the value follows it into the new range. SetRange needs
    // minimum < maximum, the single bounds may meet the other one.
    virtual BOOL SetRange(int nMin, int nMax);
    virtual BOOL SetRangeMax(int nMax);
    virtual BOOL SetRangeMin(int nMin);
    virtual void GetThumbRect(RECT* rc) const;
    // The font is the caller's and has to outlive the fader's painting.
    virtual BOOL SetTextFont(HFONT font);
    // Posts WM_FADER_HCHANGED or WM_FADER_VCHANGED with the value to the parent.
    virtual void NotifyParent();
    virtual void GetValueText(std::wstring& text) const;
    virtual LRESULT OnSetPosMessage(WPARAM wp, LPARAM lp);

    // State for inspection.
    bool IsHorizontal() const { return m_horizontal; }
    bool IsDragging() const { return m_dragging; }
    bool HasImageList() const { return m_imageList != nullptr; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    // The framework attaches a window once it exists: the background goes into
    // its memory DC here.
    void PreSubclassWindow() override;

private:
    struct ImageListDeleter {
        void operator()(HIMAGELIST list) const { ::ImageList_Destroy(list); }
    };
    using ImageList = std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, ImageListDeleter>;
    struct Setup;

    bool PrepareSetup(DWORD flags, int x, int y, const RECT& track, UINT backgroundId, UINT thumbId, COLORREF mask,
                      Setup& setup) const;
    void Commit(Setup& setup);
    void LoadBackground();
    void ValueFromThumb();
    void MoveThumbTo(const RECT& thumb);
    bool OnLButtonDown(POINT p);
    void OnDrag(POINT p);
    void OnLButtonUp();
    void OnCaptureChanged(HWND newCapture);
    void Paint(HDC target);
    void DrawThumb(HDC dc);
    void DrawValueText(HDC dc);
    void InvalidateText();

    bool m_textMode = false;
    RECT m_trackRect{};
    RECT m_thumbRect{};
    POINT m_last{};
    bool m_horizontal = true;
    bool m_dragging = false;
    // From the press that captured the mouse to its release: the release is
    // owed to the parent even when focus loss already ended the drag.
    bool m_holding = false;
    bool m_releasingCapture = false;
    UINT m_thumbId = 0;
    UINT m_backgroundId = 0;
    ImageList m_imageList;
    COLORREF m_crMask = kNoMask;
    RECT m_textRect{};
    HFONT m_font = nullptr;
    COLORREF m_crTextBack = static_cast<COLORREF>(-1);
    COLORREF m_crText = static_cast<COLORREF>(-1);
    int m_value = 0;
    int m_min = 0;
    int m_max = 100;
    // The background selected into a screen-compatible memory DC for the
    // object's lifetime; the members go in reverse order: the previous bitmap is
    // selected back, the DC deleted, then the background released.
    CBitmap m_bmpBackground;
    CDC m_dcBackground;
    std::optional<CSelectScope> m_selectBackground;
    int m_backgroundWidth = 0;
    int m_backgroundHeight = 0;
};
