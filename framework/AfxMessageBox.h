// The application's box on top of the message-box hook, which tests answer.
#pragma once

#include <windows.h>

#include "framework/MessageBoxHook.h"

// The application's message box: its name as caption, owned by the active window
// of the program; an OK box without an icon gets the exclamation icon.
int AfxMessageBox(LPCWSTR text, UINT type = MB_OK, UINT helpId = 0);
