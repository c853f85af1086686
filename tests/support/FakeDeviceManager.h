// A device manager for window tests: hands out fake device and event interfaces
// for the four panels, records every call in one ordered log, counts references
// and can be told to fail.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "contract/TqDvManager.h"

class FakeDeviceManager;

// Shared by every object one manager hands out.
struct FakeLog {
    std::vector<std::string> calls;
    void Add(std::string call) {
        if (onCall) onCall(call);
        calls.push_back(std::move(call));
    }
    // Runs at each call as it happens, before it is logged: lets a test look at
    // the windows at the moment of a particular call.
    std::function<void(const std::string&)> onCall;
    // Calls that start with prefix, in order.
    std::vector<std::string> Matching(const std::string& prefix) const;
    size_t Count(const std::string& call) const;
};

// Reference counting shared by the fakes: a count at or below zero followed by
// another Release is an over-release, which the tests treat as a failure.
class FakeRefCount {
public:
    FakeRefCount(FakeLog& log, std::string name) : m_log(log), m_name(std::move(name)) {}
    TqStatus AddRefFake() { return ++m_refs; }
    TqStatus ReleaseFake();
    int Refs() const { return m_refs; }
    int OverReleases() const { return m_overReleases; }
    int CallsAfterRelease() const { return m_callsAfterRelease; }
    const std::string& Name() const { return m_name; }

protected:
    // Logs "name.op" and notes a call on an object nobody holds any more.
    void Log(const std::string& op);
    FakeLog& m_log;

private:
    std::string m_name;
    int m_refs = 0;
    int m_overReleases = 0;
    int m_callsAfterRelease = 0;
};

class FakePanelEvents : public ITqPanelEvents, public FakeRefCount {
public:
    FakePanelEvents(FakeLog& log, int panel);
    TqStatus Reserved1() override { return Unexpected("Reserved1"); }
    TqStatus Reserved2() override { return Unexpected("Reserved2"); }
    TqStatus Release() override { return ReleaseFake(); }
    TqStatus Advise(ITqEventSink* sink) override;
    TqStatus Unadvise() override;
    TqStatus Reserved6() override { return Unexpected("Reserved6"); }
    TqStatus GetVersionInfo(PanelVersionInfo* info) override;

    ITqEventSink* sink = nullptr;
    PanelVersionInfo version{};
    TqStatus versionStatus = 0;

private:
    TqStatus Unexpected(const char* op);
    int m_panel;
};

// What every fake device records, whatever its layout.
class FakeDeviceState : public FakeRefCount {
public:
    using FakeRefCount::FakeRefCount;
    TqStatus LogCall(const std::string& call, TqStatus result = 0) {
        Log(call);
        return result;
    }
    TqStatus deviceStatusResult = 0;
    PanelDeviceStatus deviceStatus{};
    PanelStatus state{};
    TqStatus downloadResult = 0;
    std::vector<std::wstring> downloadPaths;
    std::vector<std::array<std::uint8_t, kDialModeBlockSize>> dialModeBlocks;

protected:
    TqStatus DownloadFake(wchar_t* path, std::int32_t one);
    TqStatus DeviceStatusFake(PanelDeviceStatus* out);
};

// The slots every device interface has, written once for each layout (as the
// stand-in library's DeviceObject does): the program sees the interface of the
// panel it asked for, and every named slot is logged with its arguments.
// SetMode and GetDeviceStatus sit at another slot in each layout, so they are
// overrides of the layout's own, not of the shared base.
template <class Interface>
class FakeDevice : public Interface, public FakeDeviceState {
public:
    using FakeDeviceState::FakeDeviceState;
    TqStatus Reserved1() override { return LogCall("Reserved1"); }
    TqStatus Reserved2() override { return LogCall("Reserved2"); }
    TqStatus Release() override { return ReleaseFake(); }
    TqStatus DownloadProgram(wchar_t* path, std::int32_t one) override { return DownloadFake(path, one); }
    TqStatus FinishDownload() override { return LogCall("FinishDownload"); }
    TqStatus SetMode(std::int32_t mode) override { return LogCall("SetMode(" + std::to_string(mode) + ")"); }
    TqStatus GetDeviceStatus(PanelDeviceStatus* status) override { return DeviceStatusFake(status); }
};

// Audio, Trackball and Media Bar also share slot 6 and the lamps.
template <class Interface>
class FakeLampDevice : public FakeDevice<Interface> {
public:
    using FakeDevice<Interface>::FakeDevice;
    TqStatus Reserved6() override { return this->LogCall("Reserved6"); }
    TqStatus SetLed(std::int32_t led, std::uint8_t on) override {
        return this->LogCall("SetLed(" + std::to_string(led) + "," + std::to_string(on) + ")");
    }
};

class FakeJogDevice final : public FakeDevice<ITqJogShuttleDevice> {
public:
    using FakeDevice::FakeDevice;
    TqStatus SetDialMode(std::uint8_t* block) override;
    TqStatus Reserved7() override { return LogCall("Reserved7"); }
    TqStatus Reserved8() override { return LogCall("Reserved8"); }
};

class FakeAudioDevice final : public FakeLampDevice<ITqAudioDevice> {
public:
    using FakeLampDevice::FakeLampDevice;
    TqStatus SetFader(std::int32_t fader, std::int32_t held, std::uint8_t pos) override {
        return LogCall("SetFader(" + std::to_string(fader) + "," + std::to_string(held) + "," + std::to_string(pos) +
                       ")");
    }
    TqStatus Reserved9() override { return LogCall("Reserved9"); }
    TqStatus Reserved10() override { return LogCall("Reserved10"); }
    TqStatus Reserved11() override { return LogCall("Reserved11"); }
    TqStatus GetState(PanelStatus* out) override;
    // A negative result leaves the caller's block untouched, as a failing panel does.
    TqStatus stateResult = 0;
};

// The Media Bar's device has the Trackball's layout; one class serves both.
class FakeLedDevice final : public FakeLampDevice<ITqTrackballDevice> {
public:
    using FakeLampDevice::FakeLampDevice;
};

class FakeDeviceManager : public ITqDeviceManager {
public:
    FakeDeviceManager();
    ~FakeDeviceManager();

    TqStatus GetInterface(const GUID* iid, void** out) override;
    TqStatus Reserved2() override;
    TqStatus Release() override;

    // Names used in the log: "jog", "audio", "trackball", "mediabar"; objects are
    // "<panel>.device" and "<panel>.events", the manager is "manager".
    static const char* PanelName(int panel);

    FakeLog log;
    // GetInterface fails (status -1) for these identifiers.
    std::set<std::string> failIids;  // keys: "<panel>.device" / "<panel>.events"
    void FailDevice(int panel) { failIids.insert(std::string(PanelName(panel)) + ".device"); }
    void FailEvents(int panel) { failIids.insert(std::string(PanelName(panel)) + ".events"); }

    // Every object handed out, in order, so tests can check that each went back once.
    std::vector<FakeRefCount*> handedOut;
    FakePanelEvents& Events(int panel) { return *m_events[panel]; }
    FakeDeviceState& Device(int panel);
    FakeJogDevice& Jog() { return *m_jog; }
    FakeAudioDevice& Audio() { return *m_audio; }
    FakeLedDevice& Trackball() { return *m_trackball; }
    FakeLedDevice& MediaBar() { return *m_mediabar; }
    int ManagerRefs() const { return m_managerRefs; }
    int ManagerOverReleases() const { return m_managerOverReleases; }
    // Total references still held on objects handed out (0 when all went back).
    int OutstandingRefs() const;
    int OverReleases() const;

    // Sends a connection state through the sink advised on a panel's events (if any).
    bool Connect(int panel, std::int32_t state);

    // Installs this manager as what CDeviceLibrary::CreateDeviceManager returns.
    // Each creation takes one reference.
    static void InstallFactory(FakeDeviceManager* next);
    static int Creations();

private:
    std::unique_ptr<FakePanelEvents> m_events[kPanelCount];
    std::unique_ptr<FakeJogDevice> m_jog;
    std::unique_ptr<FakeAudioDevice> m_audio;
    std::unique_ptr<FakeLedDevice> m_trackball;
    std::unique_ptr<FakeLedDevice> m_mediabar;
    int m_managerRefs = 0;
    int m_managerOverReleases = 0;
    friend ITqDeviceManager* FakeFactory();
};
