#pragma once

#include "framework/CWnd.h"

// A push button, check box or radio button.
class CButton : public CWnd {
public:
    // Creates the button with a window class that, unlike the system's, paints
    // through its own device context: a window region then clips its painting
    // on every platform.
    BOOL Create(LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id);

    void SetState(BOOL pushed) { SendMessage(BM_SETSTATE, pushed); }
    UINT GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }

    static LPCWSTR OwnClassName();
};
