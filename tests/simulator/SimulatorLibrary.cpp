#include "tests/simulator/SimulatorLibrary.h"

#include "tests/support/WinePath.h"

HMODULE LoadSimulatorLibrary(const char* buildPath, const std::wstring& pipeName) {
    ::SetEnvironmentVariableW(L"VELPANELSIM_PIPE", pipeName.c_str());
    return ::LoadLibraryExW(WinePath(buildPath).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

ITqDeviceManager* NewSimulatorManager(HMODULE library) {
    auto create = reinterpret_cast<PFN_CreateDeviceManager>(
        reinterpret_cast<void*>(::GetProcAddress(library, kCreateDeviceManagerExport)));
    return create ? create() : nullptr;
}
