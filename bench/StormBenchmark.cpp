// Prints how many reports a second TqDvManager.dll delivers to a sink that
// only counts them, for report storms of growing rates. A benchmark, not a
// test: it prints figures and never fails on speed.
//   simulator_storm_bench [seconds per rate]
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "contract/PanelIids.h"
#include "contract/TqDvManager.h"
#include "tests/support/ControlChannel.h"

namespace {
struct CountingSink : ITqEventSink {
    std::atomic<long> reports{0};
    TqStatus OnPanelReport(const GUID*, const PanelChanges*, const PanelStatus*) override {
        ++reports;
        return 0;
    }
    TqStatus OnPanelConnection(const GUID*, std::int32_t) override { return 0; }
    TqStatus OnPanelProgress(std::int32_t, std::int32_t) override { return 0; }
};

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 2;
    const std::wstring own = L"VelPanelSimBench-" + std::to_wstring(GetCurrentProcessId());
    SetEnvironmentVariableW(L"VELPANELSIM_PIPE", own.c_str());
    std::wstring path;
    for (const char* s = VEL_SIM_DLL_PATH; *s; ++s) path += *s == '/' ? L'\\' : wchar_t(*s);
    HMODULE dll = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!dll) dll = LoadLibraryExW((L"Z:" + path).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    auto create = dll ? reinterpret_cast<PFN_CreateDeviceManager>(
                            reinterpret_cast<void*>(GetProcAddress(dll, kCreateDeviceManagerExport)))
                      : nullptr;
    if (!create) {
        std::fprintf(stderr, "cannot load %s\n", VEL_SIM_DLL_PATH);
        return 1;
    }
    ITqDeviceManager* manager = create();
    void* p = nullptr;
    manager->GetInterface(&IID_TqTrackballEvents, &p);
    auto* events = static_cast<ITqPanelEvents*>(p);
    CountingSink sink;
    events->Advise(&sink);
    const std::wstring pipeName = L"\\\\.\\pipe\\" + own;
    std::printf("rate/s  seconds  delivered  delivered/s\n");
    for (int rate : {100, 1000, 2000, 5000}) {
        Sleep(200);
        sink.reports = 0;
        const DWORD start = GetTickCount();
        const std::string answer =
            SendControlLine(pipeName, "storm trackball " + std::to_string(rate) + " " + std::to_string(seconds));
        if (answer != "ok") {
            std::fprintf(stderr, "storm: %s\n", answer.c_str());
            break;
        }
        Sleep(DWORD(seconds) * 1000 + 300);
        const double elapsed = (GetTickCount() - start) / 1000.0;
        const long n = sink.reports.load();
        std::printf("%6d  %7d  %9ld  %11.0f\n", rate, seconds, n, n / elapsed);
    }
    events->Unadvise();
    events->Release();
    manager->Release();
    return 0;
}
