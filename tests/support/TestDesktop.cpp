#include "tests/support/TestDesktop.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

std::wstring TestDesktopName(const std::string& allocation) {
    // The allocation is a comma-separated list of key:value pairs.
    size_t at = 0;
    while (at < allocation.size()) {
        size_t end = allocation.find(',', at);
        if (end == std::string::npos) end = allocation.size();
        const std::string pair = allocation.substr(at, end - at);
        if (pair.compare(0, 3, "id:") == 0 && pair.size() > 3) {
            std::wstring name = L"VelTest";
            for (char c : pair.substr(3)) {
                const bool safe = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
                if (!safe) return L"";
                name += static_cast<wchar_t>(c);
            }
            return name;
        }
        at = end + 1;
    }
    return L"";
}

bool EnterTestDesktop() {
    const char* allocation = std::getenv("CTEST_RESOURCE_GROUP_0_DESKTOP");
    if (!allocation || !*allocation) return true;
    const std::wstring name = TestDesktopName(allocation);
    if (name.empty()) {
        std::fprintf(stderr, "test desktop: no id in \"%s\"\n", allocation);
        return false;
    }
    // Kept open for the life of the process: the thread's desktop must not close under it.
    HDESK desktop = ::CreateDesktopW(name.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    if (!desktop || !::SetThreadDesktop(desktop)) {
        std::fprintf(stderr, "test desktop: cannot enter %ls (error %lu)\n", name.c_str(), ::GetLastError());
        return false;
    }
    return true;
}
