#include "recorder/RealLibrary.h"

#include <windows.h>

#include <mutex>

namespace {
std::wstring ThisModuleFolder() {
    HMODULE self = nullptr;
    // Our own module by an address inside it: no name lookup, no reference taken.
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&ThisModuleFolder), &self))
        return {};
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(self, &path[0], DWORD(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}
}  // namespace

std::wstring RealLibrary::Path() {
    const std::wstring folder = ThisModuleFolder();
    return folder.empty() ? std::wstring() : folder + kFileName;
}

bool RealLibrary::Present() {
    const std::wstring path = Path();
    if (path.empty()) return false;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

PFN_CreateDeviceManager RealLibrary::Export(std::string& reason) {
    static std::once_flag once;
    static PFN_CreateDeviceManager create = nullptr;
    static std::string problem;
    std::call_once(once, [] {
        const std::wstring path = Path();
        // The same way the program loads a library: what it needs comes from its own folder.
        HMODULE module = path.empty() ? nullptr : LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
        if (!module) {
            problem = "TqDvManager.real.dll could not be loaded (error " + std::to_string(GetLastError()) + ")";
            return;
        }
        create = reinterpret_cast<PFN_CreateDeviceManager>(
            reinterpret_cast<void*>(GetProcAddress(module, kCreateDeviceManagerExport)));
        if (!create) problem = "TqDvManager.real.dll does not export CreateDeviceManager";
    });
    reason = problem;
    return create;
}
