#pragma once

#include "framework/CWnd.h"

#include <string>

// An edit control, usually one of a dialog's items bound with DDX_Control.
class CEdit : public CWnd {
public:
    int GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
    // The whole text, however long.
    std::wstring GetText() const;
};
