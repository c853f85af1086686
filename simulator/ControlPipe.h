// The control channel's name, shared by the library and velsim: one named
// pipe per logon session, never reachable from another machine.
#pragma once

#include <windows.h>

#include <string>

inline std::wstring ControlPipeName() {
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    return L"\\\\.\\pipe\\VelPanelSim-" + std::to_wstring(session);
}
