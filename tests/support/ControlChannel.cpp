#include "ControlChannel.h"

#include <windows.h>

std::string SendControlLine(const std::wstring& pipeName, const std::string& line) {
    HANDLE pipe = INVALID_HANDLE_VALUE;
    for (int i = 0; i < 200 && pipe == INVALID_HANDLE_VALUE; ++i) {
        pipe = ::CreateFileW(pipeName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (pipe == INVALID_HANDLE_VALUE) ::Sleep(50);
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
