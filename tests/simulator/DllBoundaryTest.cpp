// TqDvManager.dll (the simulated panels) seen from a program: export, slots,
// IIDs, callbacks on the library's thread, Unadvise, reference counts,
// firmware download and the control channel.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "contract/PanelIids.h"
#include "contract/TqDvManager.h"
#include "simulator/model/DownloadResult.h"
#include "simulator/model/RomImage.h"
#include "simulator/model/SimStatus.h"
#include "tests/simulator/SimulatorLibrary.h"
#include "tests/support/ControlChannel.h"

namespace {

std::wstring Widen(const char* s) {
    std::wstring w;
    for (; *s; ++s) w += wchar_t(static_cast<unsigned char>(*s));
    return w;
}

HMODULE Library() {
    static const HMODULE module =
        LoadSimulatorLibrary(VEL_SIM_DLL_PATH, L"VelPanelSimTest-" + std::to_wstring(GetCurrentProcessId()));
    return module;
}

ITqDeviceManager* NewManager() { return NewSimulatorManager(Library()); }

struct Call {
    enum Kind { kReport, kConnection, kProgress } kind;
    int panel;  // -1: IID matched none
    std::int32_t state;
    PanelChanges changes;
    PanelStatus status;
    DWORD thread;
};

class RecordingSink : public ITqEventSink {
public:
    TqStatus OnPanelReport(const GUID* iid, const PanelChanges* c, const PanelStatus* s) override {
        Call call{Call::kReport, PanelOfEventIid(iid), 0, *c, *s, GetCurrentThreadId()};
        Add(call);
        return 0;
    }
    TqStatus OnPanelConnection(const GUID* iid, std::int32_t state) override {
        Call call{Call::kConnection, PanelOfEventIid(iid), state, {}, {}, GetCurrentThreadId()};
        Add(call);
        return 0;
    }
    TqStatus OnPanelProgress(std::int32_t, std::int32_t value) override {
        Call call{Call::kProgress, -2, value, {}, {}, GetCurrentThreadId()};
        Add(call);
        return 0;
    }

    // Waits (at most a generous while, as a guard) until pred holds for the calls so far.
    bool WaitFor(const std::function<bool(const std::vector<Call>&)>& pred) {
        std::unique_lock<std::mutex> lock(m_mu);
        return m_cv.wait_for(lock, std::chrono::seconds(20), [&] { return pred(m_calls); });
    }
    std::vector<Call> Calls() {
        std::lock_guard<std::mutex> lock(m_mu);
        return m_calls;
    }
    void Clear() {
        std::lock_guard<std::mutex> lock(m_mu);
        m_calls.clear();
    }
    std::function<void(const Call&)> onCall;
    std::atomic<bool> closed{false};
    std::atomic<int> lateCalls{0};

private:
    void Add(const Call& call) {
        if (closed.load()) ++lateCalls;
        if (onCall) onCall(call);
        std::lock_guard<std::mutex> lock(m_mu);
        m_calls.push_back(call);
        m_cv.notify_all();
    }
    std::mutex m_mu;
    std::condition_variable m_cv;
    std::vector<Call> m_calls;
};

bool HasConnection(const std::vector<Call>& calls, int panel, int state) {
    for (const Call& c : calls)
        if (c.kind == Call::kConnection && c.panel == panel && c.state == state) return true;
    return false;
}

// Sends one control line to this process's library.
std::string Control(const std::string& line) {
    return SendControlLine(L"\\\\.\\pipe\\VelPanelSimTest-" + std::to_wstring(GetCurrentProcessId()), line);
}

class DllTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(Library(), nullptr) << "cannot load " << VEL_SIM_DLL_PATH;
        m_manager = NewManager();
        ASSERT_NE(m_manager, nullptr);
        ASSERT_EQ(Control("reset"), "ok");
    }
    void TearDown() override {
        if (m_manager) {
            EXPECT_EQ(m_manager->Release(), 0);
        }
    }
    template <class T>
    T* Get(const GUID* iid) {
        void* p = nullptr;
        EXPECT_GE(m_manager->GetInterface(iid, &p), 0);
        return static_cast<T*>(p);
    }
    ITqDeviceManager* m_manager = nullptr;
};

TEST_F(DllTest, ExportIsUndecoratedAndLoadedFromTheBuild) {
    EXPECT_NE(GetProcAddress(Library(), "CreateDeviceManager"), nullptr);
    wchar_t path[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(Library(), path, MAX_PATH), 0u);
    EXPECT_NE(std::wstring(path).find(L"simulator"), std::wstring::npos);
}

TEST_F(DllTest, EveryIidGivesAnInterfaceAndUnknownOnesFail) {
    for (int p = 0; p < kPanelCount; ++p) {
        for (const GUID* iid : {kDeviceIids[p], kEventIids[p]}) {
            void* out = nullptr;
            ASSERT_GE(m_manager->GetInterface(iid, &out), 0);
            ASSERT_NE(out, nullptr);
            if (iid == kDeviceIids[p])
                EXPECT_EQ(static_cast<ITqPanelDevice*>(out)->Release(), 0);
            else
                EXPECT_EQ(static_cast<ITqPanelEvents*>(out)->Release(), 0);
        }
    }
    GUID other = IID_TqAudioDevice;
    other.Data4[7] ^= 1;
    void* out = reinterpret_cast<void*>(1);
    EXPECT_LT(m_manager->GetInterface(&other, &out), 0);
    EXPECT_EQ(out, nullptr);
    EXPECT_LT(m_manager->GetInterface(&IID_TqAudioDevice, nullptr), 0);
}

TEST_F(DllTest, AdviseReportsConnectedFromTheLibrarysThread) {
    RecordingSink sink;
    ITqPanelEvents* events[kPanelCount];
    for (int p = 0; p < kPanelCount; ++p) {
        events[p] = Get<ITqPanelEvents>(kEventIids[p]);
        ASSERT_EQ(events[p]->Advise(&sink), 0);
    }
    ASSERT_TRUE(sink.WaitFor([](const std::vector<Call>& calls) {
        for (int p = 0; p < kPanelCount; ++p)
            if (!HasConnection(calls, p, 1)) return false;
        return true;
    }));
    for (const Call& c : sink.Calls()) EXPECT_NE(c.thread, GetCurrentThreadId());
    for (auto* e : events) {
        EXPECT_EQ(e->Unadvise(), 0);
        EXPECT_EQ(e->Release(), 0);
    }
}

TEST_F(DllTest, VersionsArePlausibleAndDifferPerPanel) {
    PanelVersionInfo info[kPanelCount] = {};
    for (int p = 0; p < kPanelCount; ++p) {
        auto* e = Get<ITqPanelEvents>(kEventIids[p]);
        ASSERT_EQ(e->GetVersionInfo(&info[p]), 0);
        EXPECT_GT(info[p].bytes[7] + info[p].bytes[11], 0);
        for (int b = 8; b <= 10; ++b) EXPECT_LE(info[p].bytes[b], 15);
        e->Release();
    }
    for (int p = 1; p < kPanelCount; ++p) EXPECT_NE(std::memcmp(info[0].bytes + 4, info[p].bytes + 4, 8), 0);
}

TEST_F(DllTest, ReferenceCountsAreExactAndMisuseIsRefusedNotFatal) {
    auto* e = Get<ITqPanelEvents>(&IID_TqTrackballEvents);
    EXPECT_EQ(e->Reserved2(), 2);
    EXPECT_EQ(e->Release(), 1);
    EXPECT_EQ(e->Release(), 0);
    EXPECT_EQ(e->Release(), simstatus::kReleased);  // reported on stderr
    PanelVersionInfo info{};
    EXPECT_EQ(e->GetVersionInfo(&info), simstatus::kReleased);
    RecordingSink sink;
    EXPECT_EQ(e->Advise(&sink), simstatus::kReleased);

    auto* d = Get<ITqAudioDevice>(&IID_TqAudioDevice);
    EXPECT_EQ(d->Release(), 0);
    EXPECT_EQ(d->SetFader(0, 1, 10), simstatus::kReleased);
    EXPECT_EQ(d->Release(), simstatus::kReleased);

    ITqDeviceManager* second = NewManager();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->Reserved2(), 2);
    EXPECT_EQ(second->Release(), 1);
    EXPECT_EQ(second->Release(), 0);
    void* out = nullptr;
    EXPECT_EQ(second->GetInterface(&IID_TqAudioDevice, &out), simstatus::kReleased);
    EXPECT_EQ(second->Release(), simstatus::kReleased);
}

TEST_F(DllTest, ManagersShareOnePanelSet) {
    ITqDeviceManager* other = NewManager();
    ASSERT_NE(other, nullptr);
    void* p = nullptr;
    ASSERT_EQ(other->GetInterface(&IID_TqMediaBarDevice, &p), 0);
    auto* device = static_cast<ITqMediaBarDevice*>(p);
    RecordingSink sink;
    auto* events = Get<ITqPanelEvents>(&IID_TqMediaBarEvents);
    ASSERT_EQ(events->Advise(&sink), 0);
    ASSERT_TRUE(sink.WaitFor([](const std::vector<Call>& c) { return HasConnection(c, 3, 1); }));
    ASSERT_EQ(device->SetLed(1, 1), 0);
    ASSERT_TRUE(sink.WaitFor([](const std::vector<Call>& calls) {
        for (const Call& c : calls)
            if (c.kind == Call::kReport && c.panel == 3 && c.changes.bytes[9] == 2 && c.status.bytes[17] == 2)
                return true;
        return false;
    }));
    EXPECT_EQ(events->Unadvise(), 0);
    EXPECT_EQ(events->Release(), 0);
    EXPECT_EQ(device->Release(), 0);
    EXPECT_EQ(other->Release(), 0);
}

TEST_F(DllTest, NoCallbackAfterUnadviseReturnsEvenDuringAStorm) {
    RecordingSink sink;
    sink.onCall = [](const Call&) { Sleep(1); };  // keep callbacks in flight
    auto* events = Get<ITqPanelEvents>(&IID_TqTrackballEvents);
    ASSERT_EQ(events->Advise(&sink), 0);
    ASSERT_EQ(Control("storm trackball 2000 5"), "ok");
    ASSERT_TRUE(sink.WaitFor([](const std::vector<Call>& c) { return c.size() > 20; }));
    EXPECT_EQ(events->Unadvise(), 0);
    sink.closed = true;
    Sleep(100);
    EXPECT_EQ(sink.lateCalls.load(), 0);
    EXPECT_EQ(events->Release(), 0);
    Control("reset");
}

TEST_F(DllTest, ReleasingInsideACallbackDoesNotDeadlock) {
    RecordingSink sink;
    auto* events = Get<ITqPanelEvents>(&IID_TqJogShuttleEvents);
    std::atomic<bool> released{false};
    sink.onCall = [&](const Call&) {
        if (!released.exchange(true)) {
            events->Unadvise();
            events->Release();
        }
    };
    ASSERT_EQ(events->Advise(&sink), 0);
    ASSERT_TRUE(sink.WaitFor([](const std::vector<Call>& c) { return !c.empty(); }));
    EXPECT_TRUE(released.load());
}

TEST_F(DllTest, ReleasingTheManagerStopsCallbacksOfForgottenSinks) {
    ITqDeviceManager* other = NewManager();
    void* p = nullptr;
    ASSERT_EQ(other->GetInterface(&IID_TqAudioEvents, &p), 0);
    auto* events = static_cast<ITqPanelEvents*>(p);
    RecordingSink sink;
    ASSERT_EQ(events->Advise(&sink), 0);
    ASSERT_TRUE(sink.WaitFor([](const std::vector<Call>& c) { return HasConnection(c, 1, 1); }));
    EXPECT_EQ(other->Release(), 0);  // events still held and advised: a program bug
    sink.closed = true;
    ASSERT_EQ(Control("tap audio mute"), "ok");
    Sleep(300);
    EXPECT_EQ(sink.lateCalls.load(), 0);
    RecordingSink another;
    EXPECT_EQ(events->Advise(&another), simstatus::kReleased);  // nothing comes through a released manager
    EXPECT_EQ(events->Release(), 0);
}

TEST_F(DllTest, ControlChannelDrivesPanelsAndRefusesBadLines) {
    RecordingSink sink;
    auto* events = Get<ITqPanelEvents>(&IID_TqJogShuttleEvents);
    ASSERT_EQ(events->Advise(&sink), 0);
    ASSERT_TRUE(sink.WaitFor([](const std::vector<Call>& c) { return HasConnection(c, 0, 1); }));
    EXPECT_EQ(Control("press jog A"), "ok");
    ASSERT_TRUE(sink.WaitFor([](const std::vector<Call>& calls) {
        for (const Call& c : calls)
            if (c.kind == Call::kReport && c.changes.bytes[3] == 0x10 && c.status.bytes[4] == 0x10) return true;
        return false;
    }));
    EXPECT_EQ(Control("press jog Q").compare(0, 7, "error: "), 0);
    EXPECT_EQ(Control("unplug jog"), "ok");
    ASSERT_TRUE(sink.WaitFor([](const std::vector<Call>& c) { return HasConnection(c, 0, 0); }));
    EXPECT_EQ(Control("fault unknown-iid jog"), "ok");
    ASSERT_TRUE(sink.WaitFor([](const std::vector<Call>& calls) {
        for (const Call& c : calls)
            if (c.panel == -1) return true;
        return false;
    }));
    events->Unadvise();
    events->Release();
}

TEST_F(DllTest, GetInterfaceFaultIsPerPanelAndKind) {
    ASSERT_EQ(Control("fault getinterface audio device on"), "ok");
    void* p = reinterpret_cast<void*>(1);
    EXPECT_LT(m_manager->GetInterface(&IID_TqAudioDevice, &p), 0);
    EXPECT_EQ(p, nullptr);
    ASSERT_EQ(m_manager->GetInterface(&IID_TqAudioEvents, &p), 0);
    static_cast<ITqPanelEvents*>(p)->Release();
    ASSERT_EQ(Control("fault versioninfo jog on"), "ok");
    auto* e = Get<ITqPanelEvents>(&IID_TqJogShuttleEvents);
    PanelVersionInfo info{};
    EXPECT_LT(e->GetVersionInfo(&info), 0);
    e->Release();
}

class DownloadThroughDll : public DllTest {
protected:
    std::wstring WriteImage(const char* name, const std::vector<std::uint8_t>& bytes) {
        wchar_t dir[MAX_PATH];
        GetTempPathW(MAX_PATH, dir);
        std::wstring path =
            std::wstring(dir) + L"velsim-" + std::to_wstring(GetCurrentProcessId()) + L"-" + Widen(name);
        HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD n = 0;
        WriteFile(f, bytes.data(), DWORD(bytes.size()), &n, nullptr);
        CloseHandle(f);
        m_written.push_back(path);
        return path;
    }
    void TearDown() override {
        for (const auto& p : m_written) DeleteFileW(p.c_str());
        DllTest::TearDown();
    }
    // Runs one download on the Trackball panel; returns the result word.
    std::int32_t Download(std::wstring path, std::int32_t& maxPosition) {
        RecordingSink sink;
        auto* events = Get<ITqPanelEvents>(&IID_TqTrackballEvents);
        auto* device = Get<ITqTrackballDevice>(&IID_TqTrackballDevice);
        EXPECT_EQ(events->Advise(&sink), 0);
        EXPECT_EQ(device->DownloadProgram(&path[0], 1), 0);
        maxPosition = 0;
        PanelDeviceStatus st{};
        bool ended = false;
        for (int i = 0; i < 2000 && !ended; ++i) {
            if (device->GetDeviceStatus(&st) >= 0)
                maxPosition = std::max(maxPosition, ReadLe32(st.bytes, kStatusDownloadPositionOffset));
            for (const Call& c : sink.Calls()) ended |= c.kind == Call::kProgress;
            Sleep(10);
        }
        EXPECT_TRUE(ended);
        EXPECT_GE(device->GetDeviceStatus(&st), 0);
        const std::int32_t result = ReadLe32(st.bytes, kStatusDownloadResultOffset);
        device->FinishDownload();
        events->Unadvise();
        events->Release();
        device->Release();
        return result;
    }
    std::vector<std::wstring> m_written;
};

TEST_F(DownloadThroughDll, GoodImageSucceedsWithGrowingPosition) {
    RomHeader h;
    h.targetPanel = kPanelTrackball;
    h.firmwareMajor = 9;
    h.firmwareBuild = 0x123;
    std::int32_t maxPosition = 0;
    EXPECT_EQ(Download(WriteImage("good.rom", RomImage::Build(h, RomImage::SamplePayload(8192, 1))), maxPosition),
              download::kOk);
    EXPECT_EQ(maxPosition, 8192);
}

TEST_F(DownloadThroughDll, MissingAndWrongPanelFilesFailWithTheirCodes) {
    std::int32_t maxPosition = 0;
    EXPECT_EQ(Download(L"C:\\no\\such\\file.rom", maxPosition), download::kFileMissing);
    RomHeader h;
    h.targetPanel = kPanelAudio;
    EXPECT_EQ(Download(WriteImage("audio.rom", RomImage::Build(h, RomImage::SamplePayload(2048, 2))), maxPosition),
              download::kWrongPanel);
}

TEST_F(DownloadThroughDll, BadArgumentsAreRefused) {
    auto* device = Get<ITqJogShuttleDevice>(&IID_TqJogShuttleDevice);
    wchar_t path[] = L"C:\\x.rom";
    EXPECT_LT(device->DownloadProgram(nullptr, 1), 0);
    EXPECT_LT(device->DownloadProgram(path, 0), 0);
    std::uint8_t block[kDialModeBlockSize] = {0x00, 0x00, 0x20, 0x02};
    EXPECT_EQ(device->SetDialMode(block), 0);
    block[2] = 0x30;
    EXPECT_LT(device->SetDialMode(block), 0);
    EXPECT_LT(device->SetMode(5), 0);
    EXPECT_LT(device->GetDeviceStatus(nullptr), 0);
    device->Release();
}

}  // namespace
