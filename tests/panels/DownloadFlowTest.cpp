// The firmware download as every panel window runs it, against the fake
// library: the file dialog, the transfer's start, the poll, the result boxes,
// the end's acknowledgement and the Copying window's lifetime, including a
// window that goes away in the middle of it.
#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "contract/PanelIids.h"
#include "device/PanelMessages.h"
#include "download/CCopyingDlg.h"
#include "download/CFirmwareDownload.h"
#include "framework/CWinApp.h"
#include "res/TimerIds.h"
#include "res/resource.h"
#include "tests/panels/PanelTestSupport.h"
#include "tests/support/TestWindows.h"

namespace {

constexpr wchar_t kRomPath[] = L"C:\\firmware\\jog.rom";

struct PanelCase {
    int panel;
    const char* name;
};

void PrintTo(const PanelCase& c, std::ostream* os) { *os << c.name; }

const PanelCase kPanels[] = {
    {kPanelJogShuttle, "jog"},
    {kPanelAudio, "audio"},
    {kPanelTrackball, "trackball"},
    {kPanelMediaBar, "mediabar"},
};

class DownloadFlowTest : public ::testing::TestWithParam<PanelCase> {
protected:
    void SetUp() override { FakeDeviceManager::InstallFactory(&fake); }
    void TearDown() override {
        if (owner.panel) CWnd::DestroyAndDelete(owner.panel);
        PumpMessages();
        FakeDeviceManager::InstallFactory(nullptr);
    }
    void OpenWindow() {
        owner.panel = NewPanelWindow(GetParam().panel, &owner).release();
        owner.panel->Open();
        PumpMessages();
        ASSERT_TRUE(::IsWindow(Hwnd()));
        ASSERT_TRUE(fake.Connect(GetParam().panel, kPanelConnected));
        PumpMessages();
    }
    CPanelFrameDlg* Wnd() const { return owner.panel; }
    HWND Hwnd() const { return owner.panel->GetSafeHwnd(); }
    FakeDeviceState& Device() { return fake.Device(GetParam().panel); }
    std::string Obj(const char* what) const { return std::string(GetParam().name) + "." + what; }
    void SetStatus(std::int32_t total, std::int32_t position, std::int32_t result = 0) {
        WriteLe32(Device().deviceStatus.bytes, kStatusDownloadTotalOffset, total);
        WriteLe32(Device().deviceStatus.bytes, kStatusDownloadPositionOffset, position);
        WriteLe32(Device().deviceStatus.bytes, kStatusDownloadResultOffset, result);
    }
    void PressDownload() { ::SendMessageW(Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_DOWNLOAD_BTN, BN_CLICKED), 0); }
    void Tick() { ::SendMessageW(Hwnd(), WM_TIMER, kDownloadPollTimerId, 0); }
    // The library reports the end as it does, through the window's sink.
    void End() {
        ASSERT_NE(fake.Events(GetParam().panel).sink, nullptr);
        fake.Events(GetParam().panel).sink->OnPanelProgress(0, 0);
        PumpMessages();
    }
    CCopyingDlg* Copying() const { return Wnd()->Download().CopyingWindow(); }
    // Lets real timers fire for a while.
    static void PumpFor(DWORD ms) {
        const DWORD until = ::GetTickCount() + ms;
        while (static_cast<LONG>(until - ::GetTickCount()) > 0) {
            PumpMessages();
            ::Sleep(5);
        }
    }
    size_t StatusQueries() const { return fake.log.Count(Obj("device.GetDeviceStatus")); }

    FakeDeviceManager fake;
    MessageBoxRecorder boxes;
    ClosingOwner owner;
};

TEST_P(DownloadFlowTest, DialogAsksForARomFileAndCancelDoesNothing) {
    OpenWindow();
    FileDialogAnswer dialog(IDCANCEL, kRomPath);
    const size_t mark = fake.log.calls.size();
    PressDownload();
    EXPECT_EQ(dialog.shown, 1);
    EXPECT_EQ(dialog.defaultExt, L"rom");
    EXPECT_EQ(dialog.initialName, L"*.rom");
    EXPECT_EQ(dialog.flags, DWORD{OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST});
    EXPECT_EQ(dialog.filter, L"Firmware images (*.rom)|*.rom|All files (*.*)|*.*||");
    EXPECT_TRUE(LogSince(fake.log, mark).empty());
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(Copying(), nullptr);
}

TEST_P(DownloadFlowTest, SuccessfulDownloadFromStartToAcknowledgedEnd) {
    OpenWindow();
    FileDialogAnswer dialog(IDOK, kRomPath);
    SetStatus(24608, 1024);
    const size_t mark = fake.log.calls.size();
    PressDownload();
    EXPECT_EQ(LogSince(fake.log, mark),
              (std::vector<std::string>{Obj("device.DownloadProgram(1)"), Obj("device.GetDeviceStatus")}));
    ASSERT_EQ(Device().downloadPaths, std::vector<std::wstring>{kRomPath});

    ASSERT_NE(Copying(), nullptr);
    const HWND copying = Copying()->GetSafeHwnd();
    ASSERT_TRUE(::IsWindowVisible(copying));
    EXPECT_EQ(WindowText(copying), L"Copying");
    EXPECT_EQ(DlgItemText(copying, IDC_FILENAME), kRomPath);
    // Owned by the application's main window, not by the panel window.
    EXPECT_NE(::GetWindow(copying, GW_OWNER), Hwnd());
    int lower = -1, upper = -1;
    Copying()->Progress().GetRange(lower, upper);
    EXPECT_EQ(lower, 0);
    EXPECT_EQ(upper, 24608);
    EXPECT_EQ(Copying()->Progress().GetPos(), 1024);

    SetStatus(24608, 12304);
    Tick();
    EXPECT_EQ(Copying()->Progress().GetPos(), 12304);

    // While the result is on screen the Copying window still shows its last
    // position and the end is not yet acknowledged.
    bool copyingShownUnderBox = false;
    size_t finishesUnderBox = 99;
    boxes.whileShown = [&](const MessageBoxRecorder::Box&) {
        copyingShownUnderBox = ::IsWindowVisible(copying) != FALSE;
        finishesUnderBox = fake.log.Count(Obj("device.FinishDownload"));
    };
    SetStatus(24608, 24608, 0);
    End();
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, CFirmwareDownload::kSucceeded);
    EXPECT_EQ(boxes.boxes[0].type, UINT{MB_OK | MB_ICONINFORMATION});
    EXPECT_EQ(boxes.boxes[0].owner, Hwnd());
    EXPECT_EQ(boxes.boxes[0].caption, AfxGetAppName());
    EXPECT_TRUE(copyingShownUnderBox);
    EXPECT_EQ(finishesUnderBox, 0u);
    EXPECT_EQ(fake.log.Count(Obj("device.FinishDownload")), 1u);
    EXPECT_EQ(Copying(), nullptr);
    EXPECT_FALSE(::IsWindow(copying));

    // The poll is over.
    const size_t queries = StatusQueries();
    PumpFor(60);
    EXPECT_EQ(StatusQueries(), queries);
}

TEST_P(DownloadFlowTest, PollRunsOnItsOwnTimerEveryFewMilliseconds) {
    OpenWindow();
    FileDialogAnswer dialog(IDOK, kRomPath);
    SetStatus(100, 0);
    PressDownload();
    const size_t queries = StatusQueries();
    PumpFor(200);
    // A 10 ms timer under a loaded machine still fires several times in 200 ms.
    EXPECT_GE(StatusQueries(), queries + 3);
    End();
}

// Every result other than 0 is a failed download.
struct ResultCase {
    std::int32_t result;
    const wchar_t* text;
    UINT icon;
};

TEST_P(DownloadFlowTest, ResultDecidesTheBox) {
    const ResultCase cases[] = {
        {0, CFirmwareDownload::kSucceeded, MB_ICONINFORMATION},
        {1, CFirmwareDownload::kFailed, MB_ICONEXCLAMATION},
        {7, CFirmwareDownload::kFailed, MB_ICONEXCLAMATION},
        {-1, CFirmwareDownload::kFailed, MB_ICONEXCLAMATION},
    };
    OpenWindow();
    FileDialogAnswer dialog(IDOK, kRomPath);
    for (const ResultCase& c : cases) {
        SCOPED_TRACE(c.result);
        boxes.boxes.clear();
        PressDownload();
        SetStatus(10, 10, c.result);
        End();
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].text, c.text);
        EXPECT_EQ(boxes.boxes[0].type, UINT{MB_OK} | c.icon);
        EXPECT_EQ(Copying(), nullptr);
    }
    EXPECT_EQ(fake.log.Count(Obj("device.FinishDownload")), std::size(cases));
}

TEST_P(DownloadFlowTest, RefusedStartShowsTheFailureAndStaysIdle) {
    OpenWindow();
    FileDialogAnswer dialog(IDOK, kRomPath);
    Device().downloadResult = -3;
    const size_t mark = fake.log.calls.size();
    PressDownload();
    EXPECT_EQ(LogSince(fake.log, mark), std::vector<std::string>{Obj("device.DownloadProgram(1)")});
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, CFirmwareDownload::kFailed);
    EXPECT_EQ(boxes.boxes[0].type, UINT{MB_OK | MB_ICONEXCLAMATION});
    EXPECT_EQ(boxes.boxes[0].owner, Hwnd());
    EXPECT_EQ(Copying(), nullptr);
    PumpFor(40);
    EXPECT_EQ(StatusQueries(), 0u);
}

TEST_P(DownloadFlowTest, WithoutADeviceNothingIsSentAndTheFailureShows) {
    fake.FailDevice(GetParam().panel);
    owner.panel = NewPanelWindow(GetParam().panel, &owner).release();
    owner.panel->Open();
    PumpMessages();
    boxes.boxes.clear();  // the window's "ERROR"
    FileDialogAnswer dialog(IDOK, kRomPath);
    const size_t mark = fake.log.calls.size();
    PressDownload();
    EXPECT_TRUE(LogSince(fake.log, mark).empty());
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, CFirmwareDownload::kFailed);
    EXPECT_EQ(Copying(), nullptr);
}

TEST_P(DownloadFlowTest, FailedStatusQueriesKeepTheBarAndEndWithoutABox) {
    OpenWindow();
    FileDialogAnswer dialog(IDOK, kRomPath);
    Device().deviceStatusResult = -1;
    PressDownload();
    ASSERT_NE(Copying(), nullptr);
    int lower = -1, upper = -1;
    Copying()->Progress().GetRange(lower, upper);
    EXPECT_EQ(upper, 100);  // as constructed
    Tick();
    EXPECT_EQ(Copying()->Progress().GetPos(), 0);
    End();
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(fake.log.Count(Obj("device.FinishDownload")), 1u);
    EXPECT_EQ(Copying(), nullptr);
}

TEST_P(DownloadFlowTest, SecondPressKeepsTheOpenCopyingWindowAsItIs) {
    OpenWindow();
    SetStatus(500, 0);
    {
        FileDialogAnswer first(IDOK, L"C:\\a.rom");
        PressDownload();
    }
    CCopyingDlg* copying = Copying();
    ASSERT_NE(copying, nullptr);
    SetStatus(900, 0);
    FileDialogAnswer second(IDOK, L"C:\\b.rom");
    PressDownload();
    EXPECT_EQ(Copying(), copying);
    EXPECT_EQ(DlgItemText(copying->GetSafeHwnd(), IDC_FILENAME), L"C:\\a.rom");
    int lower = -1, upper = -1;
    copying->Progress().GetRange(lower, upper);
    EXPECT_EQ(upper, 500);
    EXPECT_EQ(Device().downloadPaths, (std::vector<std::wstring>{L"C:\\a.rom", L"C:\\b.rom"}));
    End();
    EXPECT_EQ(Copying(), nullptr);
}

TEST_P(DownloadFlowTest, EndWithoutADownloadStillQueriesTellsAndAcknowledges) {
    OpenWindow();
    SetStatus(0, 0, 4);
    const size_t mark = fake.log.calls.size();
    End();
    EXPECT_EQ(LogSince(fake.log, mark),
              (std::vector<std::string>{Obj("device.GetDeviceStatus"), Obj("device.FinishDownload")}));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, CFirmwareDownload::kFailed);
}

// The window goes while the download runs: by the main window's hand after a
// goodbye, which the user's close, the panel's loss and Exit all come to.
TEST_P(DownloadFlowTest, WindowClosedMidTransferStopsThePollAndClosesTheCopyingWindow) {
    OpenWindow();
    FileDialogAnswer dialog(IDOK, kRomPath);
    SetStatus(100, 10);
    PressDownload();
    ASSERT_NE(Copying(), nullptr);
    const HWND copying = Copying()->GetSafeHwnd();

    ::SendMessageW(Hwnd(), WM_CLOSE, 0, 0);
    PumpMessages();
    ASSERT_EQ(owner.goodbyes, 1);
    EXPECT_FALSE(::IsWindow(copying));
    // A transfer still running is left to the library: no early acknowledgement.
    EXPECT_EQ(fake.log.Count(Obj("device.FinishDownload")), 0u);
    PumpFor(60);
    EXPECT_EQ(Device().CallsAfterRelease(), 0);
    EXPECT_EQ(Device().OverReleases(), 0);
}

// Lost mid-transfer, or lost after an end whose result the panel could no
// longer tell: either way its firmware may be half written, and the user is
// told so once before the window goes. A transfer is never acknowledged then.
TEST_P(DownloadFlowTest, PanelLostBeforeItsResultWasReadSaysSoOnce) {
    for (const bool endedFirst : {false, true}) {
        SCOPED_TRACE(endedFirst ? "end reported, result unreadable" : "mid-transfer");
        OpenWindow();
        FileDialogAnswer dialog(IDOK, kRomPath);
        SetStatus(100, 10);
        PressDownload();
        ASSERT_NE(Copying(), nullptr);
        const HWND copying = Copying()->GetSafeHwnd();
        if (endedFirst) {
            Device().deviceStatusResult = -1;
            End();
            ASSERT_TRUE(boxes.boxes.empty());
        }
        ASSERT_TRUE(fake.Connect(GetParam().panel, 0));
        PumpMessages();
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].text, CFirmwareDownload::kDisconnected);
        EXPECT_EQ(boxes.boxes[0].type & MB_ICONMASK, UINT{MB_ICONEXCLAMATION});
        EXPECT_EQ(owner.goodbyes, 1);
        EXPECT_FALSE(::IsWindow(copying));
        EXPECT_EQ(fake.log.Count(Obj("device.FinishDownload")), endedFirst ? 1u : 0u);
        boxes.boxes.clear();
        owner.goodbyes = 0;
        Device().deviceStatusResult = 0;
    }
}

TEST_P(DownloadFlowTest, PanelLostWhileTheResultIsShownAcknowledgesBeforeTheRelease) {
    OpenWindow();
    FileDialogAnswer dialog(IDOK, kRomPath);
    SetStatus(100, 100, 0);
    PressDownload();
    const HWND copying = Copying()->GetSafeHwnd();
    const HWND panel = Hwnd();
    boxes.whileShown = [&](const MessageBoxRecorder::Box&) {
        // The box's loop runs the loss and the main window's answer to it.
        ASSERT_TRUE(fake.Connect(GetParam().panel, 0));
        PumpMessages();
    };
    End();
    EXPECT_EQ(owner.goodbyes, 1);
    EXPECT_FALSE(::IsWindow(panel));
    EXPECT_FALSE(::IsWindow(copying));
    const std::vector<std::string> acks = fake.log.Matching(Obj("device.FinishDownload"));
    EXPECT_EQ(acks.size(), 1u);
    const auto& calls = fake.log.calls;
    const auto finish = std::find(calls.begin(), calls.end(), Obj("device.FinishDownload"));
    const auto release = std::find(calls.begin(), calls.end(), Obj("device.Release"));
    EXPECT_LT(finish - calls.begin(), release - calls.begin());
    EXPECT_EQ(Device().CallsAfterRelease(), 0);
}

TEST_P(DownloadFlowTest, WindowClosedWhileTheFileDialogIsOpenStartsNothing) {
    OpenWindow();
    FileDialogAnswer dialog(IDOK, kRomPath);
    dialog.whileShown = [&] {
        ::SendMessageW(Hwnd(), WM_CLOSE, 0, 0);
        PumpMessages();
    };
    PressDownload();
    EXPECT_EQ(owner.goodbyes, 1);
    EXPECT_EQ(fake.log.Count(Obj("device.DownloadProgram(1)")), 0u);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(Device().CallsAfterRelease(), 0);
}

INSTANTIATE_TEST_SUITE_P(Panels, DownloadFlowTest, ::testing::ValuesIn(kPanels),
                         [](const ::testing::TestParamInfo<PanelCase>& info) { return std::string(info.param.name); });

}  // namespace
