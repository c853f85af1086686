// The recorder's wrappers between the program and a library: the real main
// window and panel windows run once straight against the fake library and once
// through the wrappers; the library must see the same calls in the same order,
// the program the same answers, and every real object must go back exactly
// once, taking its wrapper with it.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/CMainPanelDlg.h"
#include "contract/PanelIids.h"
#include "device/CDeviceLibrary.h"
#include "device/PanelMessages.h"
#include "recorder/ManagerProxy.h"
#include "recorder/RecorderSession.h"
#include "recorder/format/RecordingParser.h"
#include "res/resource.h"
#include "tests/support/FakeDeviceManager.h"
#include "tests/support/TestWindows.h"

namespace {

// The recording of one test, in memory.
struct Recording {
    std::string text;
    RecorderSession session{[this](const std::string& line) { return text += line, true; }, {"test"}};

    std::vector<RecordedEvent> Events() const {
        std::vector<RecordedEvent> events;
        std::string error;
        EXPECT_TRUE(RecordingParser::Parse(text, events, error)) << error;
        return events;
    }
    bool Has(const std::string& part) const { return text.find(part) != std::string::npos; }
};

Recording* g_recording = nullptr;
PFN_CreateDeviceManager g_real = nullptr;

ITqDeviceManager* RecordingFactory() {
    std::string name;
    return ManagerProxy::Wrap(g_recording->session, g_real(), name);
}

// Installs the fake library, straight or through the recorder.
void Install(FakeDeviceManager& fake, Recording* recording) {
    FakeDeviceManager::InstallFactory(&fake);
    if (!recording) return;
    g_recording = recording;
    g_real = CDeviceLibrary::SetFactoryForTesting(&RecordingFactory);
}

void Click(HWND hwnd, int id) {
    ::SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(hwnd, id)));
}

struct Outcome {
    std::vector<std::string> calls;   // what the library saw, in order
    std::vector<std::wstring> texts;  // what the main window showed
    int outstanding = 0;
    int overReleases = 0;
    std::size_t boxes = 0;
};

struct Session {
    const char* name;
    std::function<void(FakeDeviceManager&, HWND)> play;
};

Outcome Play(const Session& s, Recording* recording) {
    FakeDeviceManager fake;
    for (int p = 0; p < kPanelCount; ++p) {
        fake.Events(p).version.bytes[4] = std::uint8_t(p + 1);
        fake.Events(p).version.bytes[8] = std::uint8_t(0x30 + p);
    }
    Install(fake, recording);
    MessageBoxRecorder boxes;
    Outcome out;
    {
        auto dlg = std::make_unique<CMainPanelDlg>();
        EXPECT_TRUE(dlg->Create(IDD_MAIN_PANEL));
        s.play(fake, dlg->GetSafeHwnd());
        PumpMessages();
        for (int id : {IDC_JOG_FLASH, IDC_JOG_DRIVER, IDC_AUDIO_FLASH, IDC_TRACKBALL_FLASH, IDC_MEDIABAR_DRIVER})
            out.texts.push_back(DlgItemText(dlg->GetSafeHwnd(), id));
        dlg->DestroyWindow();
        PumpMessages();
    }
    out.calls = fake.log.calls;
    out.outstanding = fake.OutstandingRefs() + fake.ManagerRefs();
    out.overReleases = fake.OverReleases();
    out.boxes = boxes.boxes.size();
    FakeDeviceManager::InstallFactory(nullptr);
    CDeviceLibrary::SetFactoryForTesting(nullptr);
    return out;
}

class ThroughTheRecorder : public ::testing::TestWithParam<Session> {};

TEST_P(ThroughTheRecorder, TheLibraryAndTheProgramSeeTheSameAndEverythingGoesBackOnce) {
    const Outcome plain = Play(GetParam(), nullptr);
    Recording recording;
    const Outcome recorded = Play(GetParam(), &recording);
    EXPECT_EQ(recorded.calls, plain.calls);
    EXPECT_EQ(recorded.texts, plain.texts);
    EXPECT_EQ(recorded.boxes, plain.boxes);
    EXPECT_EQ(plain.outstanding, 0);
    EXPECT_EQ(recorded.outstanding, 0);
    EXPECT_EQ(recorded.overReleases, 0);
    // Each wrapper went when its real object did, not before, not after.
    EXPECT_EQ(recording.session.LiveWrappers(), 0);
    // Every call is in the recording with its answer.
    int calls = 0, returns = 0;
    for (const RecordedEvent& e : recording.Events()) {
        calls += e.kind == RecordedEvent::kCall;
        returns += e.kind == RecordedEvent::kReturn;
    }
    EXPECT_GT(calls, 10);
    EXPECT_EQ(calls, returns);
}

INSTANTIATE_TEST_SUITE_P(
    Sessions, ThroughTheRecorder,
    ::testing::Values(
        Session{"OpenAndClose", [](FakeDeviceManager&, HWND) {}},
        Session{"ConnectionsAndVersions",
                [](FakeDeviceManager& fake, HWND) {
                    for (int p = 0; p < kPanelCount; ++p) fake.Connect(p, 1);
                    fake.Connect(kPanelTrackball, 0);
                    fake.Connect(kPanelMediaBar, 2);
                }},
        Session{"LendingEveryPanelAndTakingItBack",
                [](FakeDeviceManager& fake, HWND main) {
                    const int buttons[] = {IDC_JOG_BTN, IDC_AUDIO_BTN, IDC_TRACKBALL_BTN, IDC_MEDIABAR_BTN};
                    const UINT goodbyes[] = {ID_JOG_GOODBYE, ID_FADER_GOODBYE, ID_TRACKBALL_GOODBYE, ID_KNOB_GOODBYE};
                    for (int p = 0; p < kPanelCount; ++p) {
                        fake.Connect(p, 1);
                        Click(main, buttons[p]);
                        PumpMessages();
                        fake.Connect(p, 1);
                        PumpMessages();
                        ::SendMessageW(main, goodbyes[p], 0, 0);
                        PumpMessages();
                    }
                }},
        Session{"PanelWindowsStillOpenAtExit",
                [](FakeDeviceManager&, HWND main) {
                    Click(main, IDC_TRACKBALL_BTN);
                    Click(main, IDC_AUDIO_BTN);
                    PumpMessages();
                }},
        Session{"VersionQueryFails",
                [](FakeDeviceManager& fake, HWND) {
                    fake.Events(kPanelAudio).versionStatus = -7;
                    fake.Connect(kPanelAudio, 1);
                }},
        Session{"DeviceInterfaceMissing",
                [](FakeDeviceManager& fake, HWND main) {
                    fake.FailDevice(kPanelJogShuttle);
                    ::SendMessageW(main, ID_JOG_GOODBYE, 0, 0);  // nothing lent: ignored
                }}),
    [](const auto& info) { return std::string(info.param.name); });

// The library's callbacks reach the program through the sink wrapper, written
// down before the program hears them.
TEST(SinkWrapper, RecordsEachCallbackBeforeHandingItOnUnchanged) {
    struct ProgramSink : ITqEventSink {
        Recording* recording = nullptr;
        std::vector<std::string> heard;
        bool recordedFirst = true;
        TqStatus OnPanelReport(const GUID* iid, const PanelChanges* c, const PanelStatus* s) override {
            recordedFirst = recordedFirst && recording->Has("report S1 audio 05");
            heard.push_back("report " + std::to_string(PanelOfEventIid(iid)) + " " + std::to_string(c->bytes[0]) + " " +
                            std::to_string(s->bytes[31]));
            return 41;
        }
        TqStatus OnPanelConnection(const GUID* iid, std::int32_t state) override {
            recordedFirst = recordedFirst && recording->Has("connection S1 audio " + std::to_string(state));
            heard.push_back("connection " + std::to_string(PanelOfEventIid(iid)) + " " + std::to_string(state));
            return 42;
        }
        TqStatus OnPanelProgress(std::int32_t first, std::int32_t value) override {
            recordedFirst = recordedFirst && recording->Has("progress S1 9 -3");
            heard.push_back("progress " + std::to_string(first) + " " + std::to_string(value));
            return 43;
        }
    };
    FakeDeviceManager fake;
    Recording recording;
    ProgramSink program;
    program.recording = &recording;
    fake.log.calls.clear();
    std::string name;
    ITqDeviceManager* manager = ManagerProxy::Wrap(recording.session, &fake, name);
    void* object = nullptr;
    ASSERT_EQ(manager->GetInterface(&IID_TqAudioEvents, &object), 0);
    auto* events = static_cast<ITqPanelEvents*>(object);
    ASSERT_EQ(events->Advise(&program), 0);
    ITqEventSink* handed = fake.Events(kPanelAudio).sink;
    ASSERT_NE(handed, nullptr);
    EXPECT_NE(handed, static_cast<ITqEventSink*>(&program)) << "the library must call the wrapper";

    PanelChanges changes{};
    changes.bytes[0] = 5;
    PanelStatus status{};
    status.bytes[31] = 0xEE;
    EXPECT_EQ(handed->OnPanelReport(&IID_TqAudioEvents, &changes, &status), 41);
    EXPECT_EQ(handed->OnPanelConnection(&IID_TqAudioEvents, -1), 42);
    EXPECT_EQ(handed->OnPanelProgress(9, -3), 43);
    EXPECT_EQ(program.heard, (std::vector<std::string>{"report 1 5 238", "connection 1 -1", "progress 9 -3"}));
    EXPECT_TRUE(program.recordedFirst) << recording.text;

    events->Unadvise();
    events->Release();
    manager->Release();
    EXPECT_EQ(recording.session.LiveWrappers(), 0);
}

// The same real object asked for twice is the same wrapper twice, alive while
// either reference is; an AddRef answers with the real count.
TEST(Wrappers, OneWrapperPerRealObjectLivingAsLongAsIt) {
    FakeDeviceManager fake;
    Recording recording;
    std::string name;
    ITqDeviceManager* manager = ManagerProxy::Wrap(recording.session, &fake, name);
    void* first = nullptr;
    void* second = nullptr;
    ASSERT_EQ(manager->GetInterface(&IID_TqJogShuttleDevice, &first), 0);
    ASSERT_EQ(manager->GetInterface(&IID_TqJogShuttleDevice, &second), 0);
    EXPECT_EQ(first, second);
    EXPECT_NE(first, static_cast<void*>(static_cast<ITqJogShuttleDevice*>(&fake.Jog())));
    EXPECT_EQ(fake.Jog().Refs(), 2);
    EXPECT_EQ(recording.session.LiveWrappers(), 2);  // manager and device

    auto* jog = static_cast<ITqJogShuttleDevice*>(first);
    EXPECT_EQ(jog->Release(), 1);
    EXPECT_EQ(recording.session.LiveWrappers(), 2);
    EXPECT_EQ(jog->SetMode(1), 0);  // still the same, working wrapper
    EXPECT_EQ(jog->Release(), 0);
    EXPECT_EQ(recording.session.LiveWrappers(), 1);
    EXPECT_EQ(fake.Jog().Refs(), 0);
    EXPECT_EQ(fake.Jog().OverReleases(), 0);

    // The real object handed out again after it went: a new wrapper.
    void* third = nullptr;
    ASSERT_EQ(manager->GetInterface(&IID_TqJogShuttleDevice, &third), 0);
    EXPECT_EQ(recording.session.LiveWrappers(), 2);
    static_cast<ITqJogShuttleDevice*>(third)->Release();
    EXPECT_EQ(manager->Release(), 0);
    EXPECT_EQ(recording.session.LiveWrappers(), 0);
    EXPECT_TRUE(recording.Has(" ret D1 Release 0\n"));
    EXPECT_TRUE(recording.Has(" ret M1 GetInterface 0 D2\n"));
}

// Answers go back unchanged, whatever they are, with what the call filled in.
TEST(Wrappers, HandBackTheLibrarysStatusesAndBlocks) {
    FakeDeviceManager fake;
    Recording recording;
    std::string name;
    ITqDeviceManager* manager = ManagerProxy::Wrap(recording.session, &fake, name);
    void* object = nullptr;
    ASSERT_EQ(manager->GetInterface(&IID_TqAudioDevice, &object), 0);
    auto* audio = static_cast<ITqAudioDevice*>(object);
    fake.Audio().state.bytes[3] = 0x7F;
    fake.Audio().deviceStatus.bytes[272] = 4;
    struct Case {
        TqStatus set;
        std::function<TqStatus()> call;
    };
    const Case cases[] = {
        {-5, [&] { return fake.Audio().stateResult = -5, audio->GetState(nullptr); }},
        {0,
         [&] {
             PanelStatus s{};
             const TqStatus r = (fake.Audio().stateResult = 0, audio->GetState(&s));
             return s.bytes[3] == 0x7F ? r : -100;
         }},
        {9,
         [&] {
             PanelDeviceStatus s{};
             const TqStatus r = (fake.Audio().deviceStatusResult = 9, audio->GetDeviceStatus(&s));
             return s.bytes[272] == 4 ? r : -100;
         }},
        {-2147483647 - 1,
         [&] { return fake.Audio().deviceStatusResult = -2147483647 - 1, audio->GetDeviceStatus(nullptr); }},
    };
    for (const Case& c : cases) EXPECT_EQ(c.call(), c.set);
    EXPECT_EQ(manager->GetInterface(nullptr, &object), -1);
    fake.FailEvents(kPanelAudio);
    object = reinterpret_cast<void*>(1);
    EXPECT_EQ(manager->GetInterface(&IID_TqAudioEvents, &object), -1);
    EXPECT_EQ(object, nullptr);
    audio->Release();
    manager->Release();
    EXPECT_EQ(recording.session.LiveWrappers(), 0);
    EXPECT_TRUE(recording.Has(" ret D1 GetState 0 =0000007f\n")) << recording.text;
}

}  // namespace
