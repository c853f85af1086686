// Every message box of the program goes through VelMessageBox, so that tests can
// answer boxes instead of blocking on them. Knows nothing but the owner window.
#pragma once

#include <windows.h>

#include <functional>

using MessageBoxHook = std::function<int(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type)>;

// Installs a hook (or removes it with an empty function); returns the previous one.
MessageBoxHook SetMessageBoxHook(MessageBoxHook hook);

int VelMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
