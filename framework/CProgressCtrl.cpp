#include "framework/CProgressCtrl.h"

#include <commctrl.h>

BOOL CProgressCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(PROGRESS_CLASSW, nullptr, style | WS_CHILD, rect, parent, id);
}
