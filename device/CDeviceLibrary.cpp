#include "CDeviceLibrary.h"

#include <windows.h>

#include "AfxMessageBox.h"
#include "CWinApp.h"

namespace {
PFN_CreateDeviceManager g_testFactory = nullptr;
PFN_CreateDeviceManager g_export = nullptr;
bool g_tried = false;
}  // namespace

std::wstring CDeviceLibrary::LibraryPath() { return AfxGetModuleDirectory() + kDeviceLibraryName; }

PFN_CreateDeviceManager CDeviceLibrary::Load() {
    if (g_tried) return g_export;
    g_tried = true;
    const std::wstring path = LibraryPath();
    // A full path with the altered search order: the library and what it needs come
    // from the program's folder, never from wherever the DLL search path leads.
    HMODULE module = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    std::wstring problem;
    if (!module) {
        problem = L"The device library " + std::wstring(kDeviceLibraryName) + L" could not be loaded from\n" + path;
    } else {
        g_export = reinterpret_cast<PFN_CreateDeviceManager>(
            reinterpret_cast<void*>(::GetProcAddress(module, kCreateDeviceManagerExport)));
        if (!g_export)
            problem = L"The device library " + path + L"\ndoes not export " +
                      std::wstring(L"CreateDeviceManager") + L".";
    }
    if (!problem.empty()) {
        problem += L"\n\nThe control panels can't be reached. VelPanel runs on without them.";
        AfxMessageBox(problem.c_str(), MB_OK | MB_ICONSTOP);
    }
    return g_export;
}

bool CDeviceLibrary::Unavailable() { return !g_testFactory && g_tried && !g_export; }

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
