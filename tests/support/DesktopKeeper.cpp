// Keeps the test desktops alive for a whole test session: one thread per
// desktop, each with a hidden window on it, until the Wine session ends.
//
// Wine ends a desktop's explorer.exe about a second after its last window
// program; the next program on that desktop starts it again, and the new
// explorer inherits that program's standard handles. Under ctest those are the
// test's output pipes, which ctest then waits on until its timeout. Started
// by test.sh with its standard handles on a file, this program is the one that
// starts each desktop's explorer, and the desktops never empty. It prints one
// "holding" line per desktop once its window is up there.
#include <windows.h>

#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/TestDesktop.h"

namespace {

std::mutex printing;

void HoldDesktop(std::wstring name) {
    if (!name.empty()) {
        HDESK desktop = ::CreateDesktopW(name.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
        if (!desktop || !::SetThreadDesktop(desktop)) {
            std::fprintf(stderr, "desktop keeper: cannot enter %ls (error %lu)\n", name.c_str(), ::GetLastError());
            return;
        }
    }
    HWND hwnd = ::CreateWindowExW(0, L"STATIC", L"VelPanel test desktop keeper", WS_POPUP, 0, 0, 1, 1, nullptr,
                                  nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (!hwnd) return;
    {
        std::lock_guard<std::mutex> lock(printing);
        std::printf("holding %ls\n", name.empty() ? L"Default" : name.c_str());
        std::fflush(stdout);
    }
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
}

}  // namespace

// Arguments: the slot ids of the resource file ("0 1"), plus "default" for the
// desktop that programs without a slot share (ctest's test discovery runs there).
int main(int argc, char** argv) {
    std::vector<std::thread> threads;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        threads.emplace_back(HoldDesktop, arg == "default" ? std::wstring() : TestDesktopName("id:" + arg));
    }
    for (auto& t : threads) t.join();
    return 0;
}
