#pragma once

#include "framework/CDC.h"

class CWnd;

// The window's own client-area DC for the scope (GetDC / ReleaseDC).
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

private:
    HWND m_hWnd;
};
