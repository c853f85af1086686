#include "LiveControl.h"

#include <windows.h>

#include "TestWindows.h"

namespace {
std::wstring PipeName() { return L"VelPanelLive-" + std::to_wstring(::GetCurrentProcessId()); }
}  // namespace

void UseOwnControlPipe() { ::SetEnvironmentVariableW(L"VELPANELSIM_PIPE", PipeName().c_str()); }

std::string Control(const std::string& line) {
    const std::wstring name = L"\\\\.\\pipe\\" + PipeName();
    HANDLE pipe = INVALID_HANDLE_VALUE;
    for (int i = 0; i < 200 && pipe == INVALID_HANDLE_VALUE; ++i) {
        pipe = ::CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (pipe == INVALID_HANDLE_VALUE) ::Sleep(50);  // the serving thread may still be starting
    }
    if (pipe == INVALID_HANDLE_VALUE) return "no pipe";
    const std::string out = line + "\n";
    DWORD n = 0;
    ::WriteFile(pipe, out.data(), DWORD(out.size()), &n, nullptr);
    std::string answer;
    char ch;
    while (::ReadFile(pipe, &ch, 1, &n, nullptr) && n == 1 && ch != '\n') answer += ch;
    ::CloseHandle(pipe);
    return answer;
}

bool PumpUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 2000; ++i) {
        PumpMessages();
        if (done()) return true;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return done();
}
