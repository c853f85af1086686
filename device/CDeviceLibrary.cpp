#include "device/CDeviceLibrary.h"

#include <windows.h>

namespace {
PFN_CreateDeviceManager g_testFactory = nullptr;
PFN_CreateDeviceManager g_export = nullptr;
bool g_tried = false;
std::wstring g_problem;

// The folder of the program (not of the current directory), with its backslash.
std::wstring ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return L"";
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}
}  // namespace

std::wstring CDeviceLibrary::LibraryPath() { return ProgramFolder() + kDeviceLibraryName; }

PFN_CreateDeviceManager CDeviceLibrary::Load() {
    if (g_tried) return g_export;
    g_tried = true;
    const std::wstring path = LibraryPath();
    // A full path with the altered search order: the library and what it needs come
    // from the program's folder, never from wherever the DLL search path leads.
    HMODULE module = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!module) {
        g_problem = L"The device library " + std::wstring(kDeviceLibraryName) + L" could not be loaded from\n" + path;
    } else {
        g_export = reinterpret_cast<PFN_CreateDeviceManager>(
            reinterpret_cast<void*>(::GetProcAddress(module, kCreateDeviceManagerExport)));
        if (!g_export)
            g_problem =
                L"The device library " + path + L"\ndoes not export " + std::wstring(L"CreateDeviceManager") + L".";
    }
    return g_export;
}

bool CDeviceLibrary::Unavailable() { return !g_testFactory && g_tried && !g_export; }

std::wstring CDeviceLibrary::LoadError() { return Unavailable() ? g_problem : std::wstring(); }

ITqDeviceManager* CDeviceLibrary::CreateDeviceManager() {
    if (g_testFactory) return g_testFactory();
    const PFN_CreateDeviceManager create = Load();
    return create ? create() : nullptr;
}

PFN_CreateDeviceManager CDeviceLibrary::SetFactoryForTesting(PFN_CreateDeviceManager factory) {
    const PFN_CreateDeviceManager previous = g_testFactory;
    g_testFactory = factory;
    return previous;
}
