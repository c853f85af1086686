#include <gtest/gtest.h>

#include <memory>

#include "app/CMainPanelDlg.h"
#include "contract/PanelIids.h"
#include "device/CDeviceLibrary.h"
#include "device/PanelMessages.h"
#include "framework/CSelectScope.h"
#include "framework/CWinApp.h"
#include "panels/CPanelFrameDlg.h"
#include "res/resource.h"
#include "tests/support/FakeDeviceManager.h"
#include "tests/support/TestWindows.h"

namespace {

constexpr int kButtons[kPanelCount] = {IDC_JOG_BTN, IDC_AUDIO_BTN, IDC_TRACKBALL_BTN, IDC_MEDIABAR_BTN};
constexpr int kFirmware[kPanelCount] = {IDC_JOG_FLASH, IDC_AUDIO_FLASH, IDC_TRACKBALL_FLASH, IDC_MEDIABAR_FLASH};
constexpr int kDriver[kPanelCount] = {IDC_JOG_DRIVER, IDC_AUDIO_DRIVER, IDC_TRACKBALL_DRIVER, IDC_MEDIABAR_DRIVER};
constexpr UINT kGoodbye[kPanelCount] = {ID_JOG_GOODBYE, ID_FADER_GOODBYE, ID_TRACKBALL_GOODBYE, ID_KNOB_GOODBYE};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { FakeDeviceManager::InstallFactory(&fake); }
    void TearDown() override {
        if (dlg && dlg->GetSafeHwnd()) dlg->DestroyWindow();
        dlg.reset();
        PumpMessages();
        FakeDeviceManager::InstallFactory(nullptr);
    }
    void Open() {
        dlg = std::make_unique<CMainPanelDlg>();
        ASSERT_TRUE(dlg->Create(IDD_MAIN_PANEL));
        hwnd = dlg->GetSafeHwnd();
    }
    void Click(int id) {
        ::SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(hwnd, id)));
    }
    bool Enabled(int id) const { return ::IsWindowEnabled(::GetDlgItem(hwnd, id)) != FALSE; }
    std::wstring Text(int id) const { return DlgItemText(hwnd, id); }
    void Connection(WPARAM panel, LPARAM state) { ::SendMessageW(hwnd, WM_PANEL_CONNECTION, panel, state); }

    FakeDeviceManager fake;
    MessageBoxRecorder boxes;
    std::unique_ptr<CMainPanelDlg> dlg;
    HWND hwnd = nullptr;
};

TEST_F(MainWindowTest, AcquiresThePanelsInIndexOrder) {
    Open();
    const std::vector<std::string> expected = {
        "CreateDeviceManager",     "manager.GetInterface(jog.device)",       "manager.GetInterface(jog.events)",
        "jog.events.Advise",       "manager.GetInterface(audio.device)",     "manager.GetInterface(audio.events)",
        "audio.events.Advise",     "manager.GetInterface(trackball.device)", "manager.GetInterface(trackball.events)",
        "trackball.events.Advise", "manager.GetInterface(mediabar.device)",  "manager.GetInterface(mediabar.events)",
        "mediabar.events.Advise",
    };
    EXPECT_EQ(expected, fake.log.calls);
    EXPECT_TRUE(boxes.boxes.empty());
    for (int p = 0; p < kPanelCount; ++p) EXPECT_NE(nullptr, fake.Events(p).sink);
}

TEST_F(MainWindowTest, StartsWithEveryButtonEnabledAndEveryLabelEmpty) {
    Open();
    EXPECT_EQ(L"VelPanel", WindowText(hwnd));
    for (int p = 0; p < kPanelCount; ++p) {
        EXPECT_TRUE(Enabled(kButtons[p]));
        EXPECT_EQ(L"", Text(kFirmware[p]));
        EXPECT_EQ(L"", Text(kDriver[p]));
    }
    EXPECT_EQ(L"Jog && Shuttle Control Panel", Text(IDC_JOG_BTN));  // shown with one &
}

TEST_F(MainWindowTest, ConnectionStatesDriveButtonAndLabels) {
    Open();
    struct Case {
        LPARAM state;
        TqStatus versionStatus;
        bool enabled;
        bool labels;
        bool queried;
    };
    const Case cases[] = {
        {1, 0, true, true, true},   {0, 0, false, false, false}, {2, 0, false, true, true},
        {-1, 0, false, true, true}, {1, -5, true, false, true},  {1, 3, true, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "state " << c.state << " version status " << c.versionStatus);
        fake.Events(kPanelTrackball).versionStatus = c.versionStatus;
        // Start from the opposite look so every change is visible.
        ::EnableWindow(::GetDlgItem(hwnd, IDC_TRACKBALL_BTN), !c.enabled);
        ::SetDlgItemTextW(hwnd, IDC_TRACKBALL_FLASH, L"old");
        const size_t queriesBefore = fake.log.Count("trackball.events.GetVersionInfo");
        Connection(kPanelTrackball, c.state);
        EXPECT_EQ(c.enabled, Enabled(IDC_TRACKBALL_BTN));
        EXPECT_EQ(c.labels ? L"Ver 3 Build 122" : L"", Text(IDC_TRACKBALL_FLASH));
        EXPECT_EQ(c.labels ? L"Ver 1.2 Build 7" : L"", Text(IDC_TRACKBALL_DRIVER));
        EXPECT_EQ(c.queried ? 1u : 0u, fake.log.Count("trackball.events.GetVersionInfo") - queriesBefore);
    }
    // The other rows are untouched.
    EXPECT_EQ(L"", Text(IDC_JOG_FLASH));
    EXPECT_TRUE(Enabled(IDC_JOG_BTN));
}

TEST_F(MainWindowTest, ConnectionThroughTheSinkReachesTheRow) {
    Open();
    ASSERT_TRUE(fake.Connect(kPanelMediaBar, 1));
    PumpMessages();
    EXPECT_EQ(L"Ver 4 Build 132", Text(IDC_MEDIABAR_FLASH));
    EXPECT_EQ(L"Ver 1.3 Build 7", Text(IDC_MEDIABAR_DRIVER));
}

TEST_F(MainWindowTest, PanelIndexFourOrMoreChangesNothing) {
    Open();
    const size_t calls = fake.log.calls.size();
    for (WPARAM wp : {WPARAM(4), WPARAM(5), WPARAM(0x7FFF), static_cast<WPARAM>(-1)}) {
        EXPECT_EQ(1, ::SendMessageW(hwnd, WM_PANEL_CONNECTION, wp, 0));
    }
    EXPECT_EQ(calls, fake.log.calls.size());
    for (int p = 0; p < kPanelCount; ++p) EXPECT_TRUE(Enabled(kButtons[p]));
}

TEST_F(MainWindowTest, MissingDeviceInterfaceShowsOneErrorAndSkipsItsEvents) {
    fake.FailDevice(kPanelJogShuttle);
    Open();
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ(L"ERROR", boxes.boxes[0].text);
    EXPECT_EQ(UINT(MB_OK | MB_ICONEXCLAMATION), boxes.boxes[0].type);
    EXPECT_EQ(AfxGetAppName(), boxes.boxes[0].caption);
    EXPECT_EQ(0u, fake.log.Count("manager.GetInterface(jog.events)"));
    EXPECT_EQ(nullptr, dlg->DeviceInterface(kPanelJogShuttle));
    for (int p = 1; p < kPanelCount; ++p) {
        EXPECT_NE(nullptr, dlg->DeviceInterface(p));
        EXPECT_NE(nullptr, fake.Events(p).sink);
    }
}

TEST_F(MainWindowTest, MissingEventInterfaceIsSilent) {
    fake.FailEvents(kPanelAudio);
    Open();
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(nullptr, fake.Events(kPanelAudio).sink);
    EXPECT_NE(nullptr, dlg->DeviceInterface(kPanelAudio));
    EXPECT_TRUE(Enabled(IDC_AUDIO_BTN));
}

TEST_F(MainWindowTest, ReleasesEverythingOnDestroyInItsOrder) {
    Open();
    fake.log.calls.clear();
    dlg->DestroyWindow();
    const std::vector<std::string> expected = {
        "jog.events.Unadvise",     "jog.events.Release",       "jog.device.Release",        "audio.device.Release",
        "audio.events.Unadvise",   "audio.events.Release",     "mediabar.device.Release",   "mediabar.events.Unadvise",
        "mediabar.events.Release", "trackball.device.Release", "trackball.events.Unadvise", "trackball.events.Release",
        "manager.Release",
    };
    EXPECT_EQ(expected, fake.log.calls);
    EXPECT_EQ(0, fake.OutstandingRefs());
    EXPECT_EQ(0, fake.OverReleases());
    dlg.reset();
    EXPECT_EQ(0, fake.OverReleases());
}

TEST_F(MainWindowTest, DestroySkipsWhatWasNeverObtained) {
    fake.FailDevice(kPanelAudio);
    fake.FailEvents(kPanelTrackball);
    Open();
    dlg->DestroyWindow();
    EXPECT_EQ(0u, fake.log.Count("audio.device.Release"));
    EXPECT_EQ(0u, fake.log.Count("audio.events.Unadvise"));
    EXPECT_EQ(0u, fake.log.Count("trackball.events.Unadvise"));
    EXPECT_EQ(0, fake.OutstandingRefs());
    EXPECT_EQ(0, fake.OverReleases());
}

TEST_F(MainWindowTest, LendsAPanelAndTakesItBack) {
    Open();
    for (int p = 0; p < kPanelCount; ++p) {
        SCOPED_TRACE(p);
        const std::string name = FakeDeviceManager::PanelName(p);
        fake.log.calls.clear();
        Click(kButtons[p]);
        ASSERT_NE(nullptr, dlg->PanelWindow(p));
        EXPECT_EQ(nullptr, dlg->DeviceInterface(p));
        EXPECT_EQ(nullptr, dlg->EventInterface(p));
        // The main window gives the panel up before the window opens.
        ASSERT_GE(fake.log.calls.size(), 3u);
        EXPECT_EQ(name + ".device.Release", fake.log.calls[0]);
        EXPECT_EQ(name + ".events.Unadvise", fake.log.calls[1]);
        EXPECT_EQ(name + ".events.Release", fake.log.calls[2]);

        CPanelFrameDlg* window = dlg->PanelWindow(p);
        Click(kButtons[p]);  // already open: nothing happens
        EXPECT_EQ(window, dlg->PanelWindow(p));

        ::SendMessageW(hwnd, kGoodbye[p], 0, 0);
        EXPECT_EQ(nullptr, dlg->PanelWindow(p));
        EXPECT_NE(nullptr, dlg->DeviceInterface(p));
        EXPECT_NE(nullptr, dlg->EventInterface(p));
        EXPECT_EQ(name + ".events.Advise", fake.log.calls.back());
    }
    dlg->DestroyWindow();
    EXPECT_EQ(0, fake.OutstandingRefs());
    EXPECT_EQ(0, fake.OverReleases());
}

// A box that the panel window shows while it opens runs its own message loop;
// a goodbye handled there must not take the window away under Open's feet.
TEST_F(MainWindowTest, GoodbyeDuringThePanelWindowsOpenWaitsForOpenToReturn) {
    Open();
    fake.FailDevice(kPanelJogShuttle);  // the panel window's "ERROR" box
    bool stillThereUnderTheBox = false;
    boxes.whileShown = [&](const MessageBoxRecorder::Box&) {
        if (boxes.boxes.size() != 1) return;
        ::PostMessageW(hwnd, ID_JOG_GOODBYE, 0, 0);
        PumpMessages();
        CPanelFrameDlg* window = dlg->PanelWindow(kPanelJogShuttle);
        stillThereUnderTheBox = window && ::IsWindow(window->GetSafeHwnd());
    };
    Click(IDC_JOG_BTN);
    EXPECT_TRUE(stillThereUnderTheBox);
    PumpMessages();
    EXPECT_EQ(nullptr, dlg->PanelWindow(kPanelJogShuttle));
    dlg->DestroyWindow();
    EXPECT_EQ(0, fake.OutstandingRefs());
    EXPECT_EQ(0, fake.OverReleases());
}

TEST_F(MainWindowTest, GoodbyeForAClosedPanelIsIgnored) {
    Open();
    const size_t calls = fake.log.calls.size();
    for (UINT msg : kGoodbye) EXPECT_EQ(0, ::SendMessageW(hwnd, msg, 0, 0));
    EXPECT_EQ(calls, fake.log.calls.size());
}

TEST_F(MainWindowTest, ReacquiringAfterGoodbyeShowsErrorWhenTheDeviceIsGone) {
    Open();
    Click(IDC_AUDIO_BTN);
    fake.FailDevice(kPanelAudio);
    const size_t before = boxes.Count(L"ERROR");
    ::SendMessageW(hwnd, ID_FADER_GOODBYE, 0, 0);
    EXPECT_EQ(before + 1, boxes.Count(L"ERROR"));
    EXPECT_EQ(nullptr, dlg->DeviceInterface(kPanelAudio));
}

TEST_F(MainWindowTest, StaleConnectionAfterLendingClearsTheLabels) {
    Open();
    Connection(kPanelJogShuttle, 1);
    ASSERT_NE(L"", Text(IDC_JOG_FLASH));
    Click(IDC_JOG_BTN);
    Connection(kPanelJogShuttle, 1);
    EXPECT_EQ(L"", Text(IDC_JOG_FLASH));
    EXPECT_EQ(L"", Text(IDC_JOG_DRIVER));
    EXPECT_TRUE(Enabled(IDC_JOG_BTN));
}

TEST_F(MainWindowTest, DestroyClosesOpenPanelWindowsAfterTheManager) {
    Open();
    Click(IDC_TRACKBALL_BTN);
    Click(IDC_JOG_BTN);
    HWND jog = dlg->PanelWindow(kPanelJogShuttle)->GetSafeHwnd();
    HWND trackball = dlg->PanelWindow(kPanelTrackball)->GetSafeHwnd();
    dlg->DestroyWindow();
    EXPECT_FALSE(::IsWindow(jog));
    EXPECT_FALSE(::IsWindow(trackball));
    EXPECT_EQ(nullptr, dlg->PanelWindow(kPanelJogShuttle));
    EXPECT_EQ(0, fake.OutstandingRefs());
    EXPECT_EQ(0, fake.OverReleases());
}

TEST_F(MainWindowTest, SystemMenuEndsWithSeparatorAndAbout) {
    Open();
    HMENU menu = ::GetSystemMenu(hwnd, FALSE);
    ASSERT_NE(nullptr, menu);
    const int count = ::GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    EXPECT_EQ(UINT(MF_SEPARATOR), ::GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(UINT(IDM_ABOUTBOX), ::GetMenuItemID(menu, count - 1));
    wchar_t text[64] = L"";
    ::GetMenuStringW(menu, count - 1, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(L"&About Quorvel...", text);
}

TEST_F(MainWindowTest, ExitPostsClose) {
    Open();
    Click(IDC_EXIT_BTN);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, hwnd, WM_CLOSE, WM_CLOSE, PM_REMOVE));
    EXPECT_EQ(0u, msg.wParam);
    EXPECT_EQ(0, msg.lParam);
}

// A text and the control that shows it, measured in the control's own font.
struct TextFit {
    SIZE text;
    SIZE client;
};

// A control's own DC for the scope; the version labels have no window object.
class ControlDC {
public:
    explicit ControlDC(HWND control) : m_control(control), m_dc(::GetDC(control)) {}
    ~ControlDC() { ::ReleaseDC(m_control, m_dc); }
    ControlDC(const ControlDC&) = delete;
    ControlDC& operator=(const ControlDC&) = delete;
    operator HDC() const { return m_dc; }

private:
    HWND m_control;
    HDC m_dc;
};

TextFit Measure(HWND control, const std::wstring& text) {
    TextFit fit{};
    RECT client{};
    ::GetClientRect(control, &client);
    fit.client = {client.right - client.left, client.bottom - client.top};
    ControlDC dc(control);
    CSelectScope font(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0)));
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &fit.text);
    return fit;
}

void ExpectOnOneLine(HWND control, const std::wstring& text) {
    ASSERT_NE(nullptr, control);
    const TextFit fit = Measure(control, text);
    EXPECT_TRUE(fit.text.cx <= fit.client.cx && fit.text.cy <= fit.client.cy)
        << testing::PrintToString(text) << " is " << fit.text.cx << " x " << fit.text.cy << " pixels, the control "
        << fit.client.cx << " x " << fit.client.cy;
}

// The widest texts the version formats can make. Digits are of one width in the
// faces used, so the longest numbers stand for all. A firmware build above ffff is
// 10 and three more hexadecimal digits up to fef, so each of a-e and a decimal digit
// is tried in all three places, and the largest build (two narrow f's) as well.
TEST_F(MainWindowTest, EveryVersionTextFitsItsLabelOnOneLine) {
    Open();
    const std::wstring firmware[] = {
        L"Ver 255 Build 10fef", L"Ver 255 Build 10eee", L"Ver 255 Build 10ddd", L"Ver 255 Build 10ccc",
        L"Ver 255 Build 10bbb", L"Ver 255 Build 10aaa", L"Ver 255 Build 10888",
    };
    const std::wstring driver[] = {L"Ver 255.65535 Build 255"};
    for (int p = 0; p < kPanelCount; ++p) {
        SCOPED_TRACE(testing::Message() << "panel " << p);
        for (const auto& text : firmware) ExpectOnOneLine(::GetDlgItem(hwnd, kFirmware[p]), text);
        for (const auto& text : driver) ExpectOnOneLine(::GetDlgItem(hwnd, kDriver[p]), text);
    }
}

TEST_F(MainWindowTest, ColumnHeadingsFitOnOneLine) {
    Open();
    for (const wchar_t* heading : {L"FLASH Firmware", L"Driver"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(heading)));
        ExpectOnOneLine(::FindWindowExW(hwnd, nullptr, L"Static", heading), heading);
    }
}

TEST(MainWindowWithoutLibrary, RunsOnWithoutCallsOrErrorBoxes) {
    FakeDeviceManager::InstallFactory(nullptr);
    MessageBoxRecorder boxes;
    {
        CMainPanelDlg dlg;
        ASSERT_TRUE(dlg.Create(IDD_MAIN_PANEL));
        ::SendMessageW(dlg.GetSafeHwnd(), WM_PANEL_CONNECTION, 0, 1);
        ::SendMessageW(dlg.GetSafeHwnd(), ID_FADER_GOODBYE, 0, 0);
        dlg.DestroyWindow();
    }
    EXPECT_EQ(0u, boxes.Count(L"ERROR"));
}

// The test program's folder holds no TqDvManager.dll: the main window says so
// once, naming the library's full path; a panel window it opens stays silent.
TEST(MainWindowWithoutLibrary, TellsOnceNamingTheLibrary) {
    const PFN_CreateDeviceManager previous = CDeviceLibrary::SetFactoryForTesting(nullptr);
    MessageBoxRecorder boxes;
    {
        CMainPanelDlg dlg;
        ASSERT_TRUE(dlg.Create(IDD_MAIN_PANEL));
        ::SendMessageW(dlg.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_JOG_BTN, BN_CLICKED), 0);
        EXPECT_NE(nullptr, dlg.PanelWindow(kPanelJogShuttle));
        dlg.DestroyWindow();
    }
    CDeviceLibrary::SetFactoryForTesting(previous);
    ASSERT_EQ(1u, boxes.boxes.size());
    const MessageBoxRecorder::Box& box = boxes.boxes[0];
    EXPECT_NE(std::wstring::npos,
              box.text.find(L"TqDvManager.dll could not be loaded from\n" + AfxGetModuleDirectory()));
    EXPECT_NE(std::wstring::npos, box.text.find(L"\n\nThe control panels can't be reached. VelPanel runs on"));
    EXPECT_EQ(UINT(MB_OK | MB_ICONSTOP), box.type);
    EXPECT_EQ(AfxGetAppName(), box.caption);
}

}  // namespace

namespace {

struct AboutSeen {
    bool found = false;
    std::wstring text;
    bool ownerDisabled = false;
};
AboutSeen g_about;
HWND g_mainForAbout = nullptr;

// Runs inside the about box's modal loop: look at the box, then press its OK.
void CALLBACK InspectAbout(HWND, UINT, UINT_PTR id, DWORD) {
    HWND about = ::FindWindowW(nullptr, L"About VelPanel");
    if (!about) return;
    ::KillTimer(nullptr, id);
    g_about.found = true;
    g_about.ownerDisabled = !::IsWindowEnabled(g_mainForAbout);
    wchar_t text[128] = L"";
    HWND child = nullptr;
    while ((child = ::FindWindowExW(about, child, L"Static", nullptr)) != nullptr) {
        ::GetWindowTextW(child, text, 128);
        if (text[0]) g_about.text = text;
    }
    ::SendMessageW(about, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

TEST_F(MainWindowTest, AboutEntryRunsTheAboutBoxModally) {
    Open();
    // As in the program: the main window is the application's, and owns the box.
    CWinApp app;
    app.m_pMainWnd = dlg.get();
    g_mainForAbout = hwnd;
    g_about = {};
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &InspectAbout);
    ::SendMessageW(hwnd, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    ::KillTimer(nullptr, timer);
    EXPECT_TRUE(g_about.found);
    EXPECT_EQ(L"VelPanel Version 2.0", g_about.text);
    EXPECT_TRUE(g_about.ownerDisabled);
    // Back from the box: the main window works again and the box is gone.
    EXPECT_TRUE(::IsWindowEnabled(hwnd));
    EXPECT_EQ(nullptr, ::FindWindowW(nullptr, L"About VelPanel"));
}

}  // namespace
