#include "tests/support/FakeDeviceManager.h"

#include <algorithm>
#include <cstring>

#include "contract/PanelIids.h"
#include "device/CDeviceLibrary.h"

std::vector<std::string> FakeLog::Matching(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const auto& c : calls)
        if (c.compare(0, prefix.size(), prefix) == 0) out.push_back(c);
    return out;
}

size_t FakeLog::Count(const std::string& call) const {
    return static_cast<size_t>(std::count(calls.begin(), calls.end(), call));
}

TqStatus FakeRefCount::ReleaseFake() {
    m_log.Add(m_name + ".Release");
    if (m_refs <= 0) {
        ++m_overReleases;
        return 0;
    }
    return --m_refs;
}

void FakeRefCount::Log(const std::string& op) {
    if (m_refs <= 0) ++m_callsAfterRelease;
    m_log.Add(m_name + "." + op);
}

FakePanelEvents::FakePanelEvents(FakeLog& log, int panel)
    : FakeRefCount(log, std::string(FakeDeviceManager::PanelName(panel)) + ".events"), m_panel(panel) {
    // Distinct versions per panel: firmware Ver (panel+1) Build 1p2, driver Ver 1.(panel) Build 7.
    version.bytes[4] = 7;
    version.bytes[5] = static_cast<std::uint8_t>(panel);
    version.bytes[7] = 1;
    version.bytes[8] = 2;
    version.bytes[9] = static_cast<std::uint8_t>(panel);
    version.bytes[10] = 1;
    version.bytes[11] = static_cast<std::uint8_t>(panel + 1);
}

TqStatus FakePanelEvents::Unexpected(const char* op) {
    Log(op);
    return -1;
}

TqStatus FakePanelEvents::Advise(ITqEventSink* s) {
    Log("Advise");
    sink = s;
    return 0;
}

TqStatus FakePanelEvents::Unadvise() {
    Log("Unadvise");
    sink = nullptr;
    return 0;
}

TqStatus FakePanelEvents::GetVersionInfo(PanelVersionInfo* info) {
    Log("GetVersionInfo");
    if (versionStatus < 0) return versionStatus;
    if (info) *info = version;
    return versionStatus;
}

TqStatus FakeDeviceState::DeviceStatusFake(PanelDeviceStatus* out) {
    LogCall("GetDeviceStatus");
    if (deviceStatusResult < 0) return deviceStatusResult;
    if (out) *out = deviceStatus;
    return deviceStatusResult;
}

TqStatus FakeDeviceState::DownloadFake(wchar_t* path, std::int32_t one) {
    downloadPaths.push_back(path ? path : L"");
    return LogCall("DownloadProgram(" + std::to_string(one) + ")", downloadResult);
}

TqStatus FakeJogDevice::SetDialMode(std::uint8_t* block) {
    std::array<std::uint8_t, kDialModeBlockSize> copy{};
    if (block) std::memcpy(copy.data(), block, copy.size());
    dialModeBlocks.push_back(copy);
    char text[64];
    std::snprintf(text, sizeof text, "SetDialMode(%02x %02x %02x %02x)", copy[0], copy[1], copy[2], copy[3]);
    return LogCall(text);
}

TqStatus FakeAudioDevice::GetState(PanelStatus* out) {
    LogCall("GetState");
    if (stateResult < 0) return stateResult;
    if (out) *out = state;
    return 0;
}

const char* FakeDeviceManager::PanelName(int panel) {
    static const char* const kNames[kPanelCount] = {"jog", "audio", "trackball", "mediabar"};
    return (panel >= 0 && panel < kPanelCount) ? kNames[panel] : "unknown";
}

FakeDeviceManager::FakeDeviceManager()
    : m_jog(std::make_unique<FakeJogDevice>(log, "jog.device")),
      m_audio(std::make_unique<FakeAudioDevice>(log, "audio.device")),
      m_trackball(std::make_unique<FakeLedDevice>(log, "trackball.device")),
      m_mediabar(std::make_unique<FakeLedDevice>(log, "mediabar.device")) {
    for (int p = 0; p < kPanelCount; ++p) m_events[p] = std::make_unique<FakePanelEvents>(log, p);
}

FakeDeviceManager::~FakeDeviceManager() = default;

FakeDeviceState& FakeDeviceManager::Device(int panel) {
    switch (panel) {
    case kPanelJogShuttle:
        return *m_jog;
    case kPanelAudio:
        return *m_audio;
    case kPanelTrackball:
        return *m_trackball;
    default:
        return *m_mediabar;
    }
}

TqStatus FakeDeviceManager::GetInterface(const GUID* iid, void** out) {
    for (int p = 0; p < kPanelCount; ++p) {
        const bool isDevice = iid && SameIid(*iid, *kDeviceIids[p]);
        const bool isEvents = iid && SameIid(*iid, *kEventIids[p]);
        if (!isDevice && !isEvents) continue;
        const std::string name = std::string(PanelName(p)) + (isDevice ? ".device" : ".events");
        log.Add("manager.GetInterface(" + name + ")");
        if (failIids.count(name)) {
            if (out) *out = nullptr;
            return -1;
        }
        void* object = nullptr;
        FakeRefCount* counted = nullptr;
        if (isEvents) {
            object = static_cast<ITqPanelEvents*>(m_events[p].get());
            counted = m_events[p].get();
        } else if (p == kPanelJogShuttle) {
            object = static_cast<ITqJogShuttleDevice*>(m_jog.get());
            counted = m_jog.get();
        } else if (p == kPanelAudio) {
            object = static_cast<ITqAudioDevice*>(m_audio.get());
            counted = m_audio.get();
        } else if (p == kPanelTrackball) {
            object = static_cast<ITqTrackballDevice*>(m_trackball.get());
            counted = m_trackball.get();
        } else {
            object = static_cast<ITqLedPanelDevice*>(m_mediabar.get());  // same layout as the Trackball
            counted = m_mediabar.get();
        }
        counted->AddRefFake();
        handedOut.push_back(counted);
        *out = object;
        return 0;
    }
    log.Add("manager.GetInterface(unknown)");
    return -1;
}

TqStatus FakeDeviceManager::Reserved2() {
    log.Add("manager.Reserved2");
    return -1;
}

TqStatus FakeDeviceManager::Release() {
    log.Add("manager.Release");
    if (m_managerRefs <= 0) {
        ++m_managerOverReleases;
        return 0;
    }
    return --m_managerRefs;
}

int FakeDeviceManager::OutstandingRefs() const {
    int refs = m_managerRefs;
    for (const auto& e : m_events) refs += e->Refs();
    refs += m_jog->Refs() + m_audio->Refs() + m_trackball->Refs() + m_mediabar->Refs();
    return refs;
}

int FakeDeviceManager::OverReleases() const {
    int n = m_managerOverReleases;
    for (const auto& e : m_events) n += e->OverReleases();
    n += m_jog->OverReleases() + m_audio->OverReleases() + m_trackball->OverReleases() + m_mediabar->OverReleases();
    return n;
}

bool FakeDeviceManager::Connect(int panel, std::int32_t state) {
    ITqEventSink* sink = m_events[panel]->sink;
    if (!sink) return false;
    sink->OnPanelConnection(kEventIids[panel], state);
    return true;
}

namespace {
FakeDeviceManager* g_next = nullptr;
int g_creations = 0;
}  // namespace

ITqDeviceManager* FakeFactory() {
    if (!g_next) return nullptr;
    ++g_creations;
    g_next->m_managerRefs++;
    g_next->log.Add("CreateDeviceManager");
    return g_next;
}

void FakeDeviceManager::InstallFactory(FakeDeviceManager* next) {
    g_next = next;
    g_creations = 0;
    CDeviceLibrary::SetFactoryForTesting(&FakeFactory);
}

int FakeDeviceManager::Creations() { return g_creations; }
