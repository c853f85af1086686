// The common progress control.
#pragma once

#include "framework/CWnd.h"

class CProgressCtrl : public CWnd {
public:
    // Creates a progress control as a child of parent.
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
};
