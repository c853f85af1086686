// The control channel's name, shared by the library and velsim: one named
// pipe per logon session, never reachable from another machine. Tests that
// run side by side each set VELPANELSIM_PIPE to a name of their own.
#pragma once

#include <windows.h>

#include <string>

inline std::wstring ControlPipeName() {
    wchar_t own[128];
    const DWORD n = GetEnvironmentVariableW(L"VELPANELSIM_PIPE", own, 128);
    if (n > 0 && n < 128) return L"\\\\.\\pipe\\" + std::wstring(own);
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    return L"\\\\.\\pipe\\VelPanelSim-" + std::to_wstring(session);
}
