#pragma once

#include "framework/CDC.h"

class CWnd;

// BeginPaint for the scope, EndPaint at its end.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps{};

private:
    HWND m_hWnd;
};
