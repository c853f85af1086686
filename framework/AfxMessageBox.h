// Every message box of the program goes through VelMessageBox, so that tests can
// answer boxes instead of blocking on them.
#pragma once

#include <windows.h>

#include <functional>

using MessageBoxHook = std::function<int(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type)>;

// Installs a hook (or removes it with an empty function); returns the previous one.
MessageBoxHook SetMessageBoxHook(MessageBoxHook hook);

int VelMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);

// The application's message box: its name as caption, owned by the active window
// of the program; an OK box without an icon gets the exclamation icon.
int AfxMessageBox(LPCWSTR text, UINT type = MB_OK, UINT helpId = 0);
