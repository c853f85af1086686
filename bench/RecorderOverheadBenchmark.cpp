// What the recorder costs per forwarded call and per callback: the same calls
// straight to a do-nothing library object and through the wrappers, with the
// recording going to a real file the way the recorder writes it (one WriteFile
// a line). Prints figures; run by hand:
//   wine64 recorder_overhead_bench.exe
#include <windows.h>

#include <cstdio>
#include <string>

#include "contract/PanelIids.h"
#include "recorder/ManagerProxy.h"
#include "recorder/RecorderSession.h"

namespace {

struct NullSink : ITqEventSink {
    TqStatus OnPanelReport(const GUID*, const PanelChanges*, const PanelStatus*) override { return 0; }
    TqStatus OnPanelConnection(const GUID*, std::int32_t) override { return 0; }
    TqStatus OnPanelProgress(std::int32_t, std::int32_t) override { return 0; }
};

struct NullDevice : ITqTrackballDevice {
    TqStatus Reserved1() override { return 0; }
    TqStatus Reserved2() override { return 2; }
    TqStatus Release() override { return 0; }
    TqStatus DownloadProgram(wchar_t*, std::int32_t) override { return 0; }
    TqStatus FinishDownload() override { return 0; }
    TqStatus Reserved6() override { return 0; }
    TqStatus SetLed(std::int32_t, std::uint8_t) override { return 0; }
    TqStatus SetMode(std::int32_t) override { return 0; }
    TqStatus GetDeviceStatus(PanelDeviceStatus*) override { return 0; }
};

struct NullEvents : ITqPanelEvents {
    ITqEventSink* sink = nullptr;
    TqStatus Reserved1() override { return 0; }
    TqStatus Reserved2() override { return 2; }
    TqStatus Release() override { return 0; }
    TqStatus Advise(ITqEventSink* s) override { return sink = s, 0; }
    TqStatus Unadvise() override { return sink = nullptr, 0; }
    TqStatus Reserved6() override { return 0; }
    TqStatus GetVersionInfo(PanelVersionInfo*) override { return 0; }
};

struct NullManager : ITqDeviceManager {
    NullDevice device;
    NullEvents events;
    TqStatus GetInterface(const GUID* iid, void** out) override {
        *out = SameIid(*iid, IID_TqTrackballDevice) ? static_cast<void*>(static_cast<ITqTrackballDevice*>(&device))
                                                    : static_cast<void*>(static_cast<ITqPanelEvents*>(&events));
        return 0;
    }
    TqStatus Reserved2() override { return 2; }
    TqStatus Release() override { return 0; }
};

double Seconds() {
    LARGE_INTEGER t, f;
    QueryPerformanceCounter(&t);
    QueryPerformanceFrequency(&f);
    return double(t.QuadPart) / double(f.QuadPart);
}

template <class Body>
double NsPerCall(int n, Body body) {
    const double start = Seconds();
    for (int i = 0; i < n; ++i) body(i);
    return (Seconds() - start) * 1e9 / n;
}

}  // namespace

int main() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring path =
        std::wstring(temp) + L"recorder-bench-" + std::to_wstring(GetCurrentProcessId()) + L".tqrec";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    RecorderSession session(
        [file](const std::string& line) {
            DWORD put = 0;
            return WriteFile(file, line.data(), DWORD(line.size()), &put, nullptr) && put == line.size();
        },
        {"benchmark"});

    NullManager real;
    std::string name;
    ITqDeviceManager* manager = ManagerProxy::Wrap(session, &real, name);
    void* p = nullptr;
    manager->GetInterface(&IID_TqTrackballDevice, &p);
    auto* device = static_cast<ITqTrackballDevice*>(p);
    manager->GetInterface(&IID_TqTrackballEvents, &p);
    auto* events = static_cast<ITqPanelEvents*>(p);
    NullSink program;
    events->Advise(&program);
    ITqEventSink* wrappedSink = real.events.sink;

    const int n = 100000;
    ITqTrackballDevice* straight = &real.device;
    const double callDirect = NsPerCall(n, [&](int i) { straight->SetLed(i & 7, 1); });
    const double callWrapped = NsPerCall(n, [&](int i) { device->SetLed(i & 7, 1); });
    PanelChanges changes{};
    PanelStatus status{};
    const double cbDirect = NsPerCall(n, [&](int i) {
        status.bytes[0] = std::uint8_t(i);
        program.OnPanelReport(&IID_TqTrackballEvents, &changes, &status);
    });
    const double cbWrapped = NsPerCall(n, [&](int i) {
        status.bytes[0] = std::uint8_t(i);
        wrappedSink->OnPanelReport(&IID_TqTrackballEvents, &changes, &status);
    });
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    std::printf("recorder overhead, %d each, %u-bit, recording %.1f MB\n", n, unsigned(sizeof(void*) * 8),
                double(size.QuadPart) / 1e6);
    std::printf("  call (SetLed, a call and an answer line): %8.0f ns straight, %8.0f ns recorded (+%.0f ns)\n",
                callDirect, callWrapped, callWrapped - callDirect);
    std::printf("  callback (a report line):                 %8.0f ns straight, %8.0f ns recorded (+%.0f ns)\n",
                cbDirect, cbWrapped, cbWrapped - cbDirect);
    events->Unadvise();
    events->Release();
    device->Release();
    manager->Release();
    CloseHandle(file);
    return 0;
}
