// End to end: firmware images into the simulated panels through each panel
// window, from the main window, as a service engineer does it: the bar moves,
// the result is told, and after a power cycle the main window shows the new
// FLASH version. Bad images, a panel lost mid-transfer and a window closed
// mid-transfer end cleanly.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/CMainPanelDlg.h"
#include "download/CCopyingDlg.h"
#include "download/CFirmwareDownload.h"
#include "panels/CPanelFrameDlg.h"
#include "res/resource.h"
#include "simulator/model/RomImage.h"
#include "tests/e2e/LiveControl.h"
#include "tests/e2e/LiveMainWindowTest.h"
#include "tests/panels/PanelTestSupport.h"
#include "tests/support/TestWindows.h"

namespace {

constexpr int kButtons[kPanelCount] = {IDC_JOG_BTN, IDC_AUDIO_BTN, IDC_TRACKBALL_BTN, IDC_MEDIABAR_BTN};
constexpr int kFirmwareLabels[kPanelCount] = {IDC_JOG_FLASH, IDC_AUDIO_FLASH, IDC_TRACKBALL_FLASH, IDC_MEDIABAR_FLASH};
const char* const kNames[kPanelCount] = {"jog", "audio", "trackball", "mediabar"};

// Big enough that the poll sees the transfer half way, small enough to be quick.
constexpr std::uint32_t kPayload = 6 * 1024;

std::wstring ImagePath(const wchar_t* name) {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    std::wstring dir = std::wstring(temp) + L"VelPanelDownload-" + std::to_wstring(::GetCurrentProcessId());
    ::CreateDirectoryW(dir.c_str(), nullptr);
    return dir + L"\\" + name;
}

std::wstring WriteImage(const wchar_t* name, std::vector<std::uint8_t> bytes) {
    const std::wstring path = ImagePath(name);
    FILE* f = _wfopen(path.c_str(), L"wb");
    EXPECT_NE(f, nullptr);
    if (f) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    return path;
}

std::vector<std::uint8_t> GoodImage(int panel, int major = 9, int build = 0x1ab) {
    RomHeader header;
    header.targetPanel = panel;
    header.firmwareMajor = major;
    header.firmwareBuild = build;
    return RomImage::Build(header, RomImage::SamplePayload(kPayload, 7));
}

HWND CopyingOnScreen() { return FindOwnDialog(L"Copying"); }

class DownloadLiveTest : public LiveMainWindowTest<::testing::TestWithParam<int>> {
protected:
    CPanelFrameDlg* OpenPanel(int p) {
        EXPECT_TRUE(PumpUntil([&] { return IsEnabled(Main(), kButtons[p]) && main->EventInterface(p); }));
        ClickButton(Main(), kButtons[p]);
        CPanelFrameDlg* panel = main->PanelWindow(p);
        EXPECT_NE(panel, nullptr);
        if (panel) {
            EXPECT_TRUE(PumpUntil([&] { return panel->IsConnected(); }));
        }
        return panel;
    }
    void ClosePanel(int p) {
        main->PanelWindow(p)->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
        ASSERT_TRUE(PumpUntil([&] { return main->PanelWindow(p) == nullptr; }));
    }
    bool WaitForBox() {
        return PumpUntil([&] { return !boxes.boxes.empty(); });
    }
};

TEST_P(DownloadLiveTest, GoodImageGoesInAndShowsAfterAPowerCycle) {
    const int p = GetParam();
    CPanelFrameDlg* panel = OpenPanel(p);
    ASSERT_NE(panel, nullptr);
    const std::wstring path = WriteImage(L"good.rom", GoodImage(p));
    FileDialogAnswer chosen(IDOK, path);
    ClickButton(panel->GetSafeHwnd(), IDC_DOWNLOAD_BTN);

    CCopyingDlg* copying = panel->Download().CopyingWindow();
    ASSERT_NE(copying, nullptr);
    EXPECT_EQ(CopyingOnScreen(), copying->GetSafeHwnd());
    EXPECT_EQ(copying->FileName(), path);
    // The label may leave folders out of the middle, never the file's name.
    const std::wstring shown = DlgItemText(copying->GetSafeHwnd(), IDC_FILENAME);
    EXPECT_EQ(shown.substr(0, 3), path.substr(0, 3));
    EXPECT_EQ(shown.substr(shown.size() - 9), L"\\good.rom");
    // The bar is seen moving, not only empty and full.
    EXPECT_TRUE(PumpUntil([&] {
        if (!panel->Download().CopyingWindow()) return false;
        int lower = 0, upper = 0;
        copying->Progress().GetRange(lower, upper);
        const int pos = copying->Progress().GetPos();
        return pos > 0 && pos < upper;
    }));
    ASSERT_TRUE(WaitForBox());
    EXPECT_EQ(boxes.boxes[0].text, CFirmwareDownload::kSucceeded);
    EXPECT_EQ(boxes.boxes[0].owner, panel->GetSafeHwnd());
    EXPECT_EQ(panel->Download().CopyingWindow(), nullptr);
    EXPECT_EQ(CopyingOnScreen(), nullptr);

    ClosePanel(p);
    ASSERT_EQ(Control(std::string("powercycle ") + kNames[p]), "ok");
    EXPECT_TRUE(PumpUntil([&] { return DlgItemText(Main(), kFirmwareLabels[p]) == L"Ver 9 Build 1ab"; }))
        << "FLASH label: " << testing::PrintToString(DlgItemText(Main(), kFirmwareLabels[p]));
}

INSTANTIATE_TEST_SUITE_P(Panels, DownloadLiveTest, ::testing::Range(0, kPanelCount),
                         [](const ::testing::TestParamInfo<int>& info) { return std::string(kNames[info.param]); });

class BadImageLiveTest : public DownloadLiveTest {};

struct BadImage {
    const wchar_t* name;
    std::vector<std::uint8_t> (*make)();
};

const BadImage kBadImages[] = {
    {L"corrupt.rom",
     [] {
         auto bytes = GoodImage(kPanelJogShuttle);
         bytes[RomImage::kHeaderSize + 100] ^= 0x5a;
         return bytes;
     }},
    {L"truncated.rom",
     [] {
         auto bytes = GoodImage(kPanelJogShuttle);
         bytes.resize(bytes.size() / 2);
         return bytes;
     }},
    {L"wrongpanel.rom", [] { return GoodImage(kPanelMediaBar); }},
    {L"missing.rom", nullptr},
};

TEST_F(BadImageLiveTest, EveryBadImageEndsInTheFailureBoxAndTheOldFirmwareStays) {
    CPanelFrameDlg* panel = OpenPanel(kPanelJogShuttle);
    ASSERT_NE(panel, nullptr);
    for (const BadImage& bad : kBadImages) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(bad.name)));
        boxes.boxes.clear();
        const std::wstring path = bad.make ? WriteImage(bad.name, bad.make()) : ImagePath(bad.name);
        FileDialogAnswer chosen(IDOK, path);
        ClickButton(panel->GetSafeHwnd(), IDC_DOWNLOAD_BTN);
        ASSERT_TRUE(WaitForBox());
        EXPECT_EQ(boxes.boxes[0].text, CFirmwareDownload::kFailed);
        EXPECT_EQ(boxes.boxes[0].type, UINT{MB_OK | MB_ICONEXCLAMATION});
        EXPECT_TRUE(PumpUntil([&] { return panel->Download().CopyingWindow() == nullptr; }));
    }
    const std::wstring before = DlgItemText(Main(), IDC_JOG_FLASH);
    ClosePanel(kPanelJogShuttle);
    ASSERT_EQ(Control("powercycle jog"), "ok");
    ASSERT_TRUE(
        PumpUntil([&] { return IsEnabled(Main(), IDC_JOG_BTN) && !DlgItemText(Main(), IDC_JOG_FLASH).empty(); }));
    EXPECT_EQ(DlgItemText(Main(), IDC_JOG_FLASH), before);
}

// The end is reported, but a panel that is gone can't tell its result: the
// window says the firmware may be incomplete and goes back to the main window,
// whose row goes grey.
TEST_F(BadImageLiveTest, PanelUnpluggedMidTransferSaysSoAndGoesBack) {
    CPanelFrameDlg* panel = OpenPanel(kPanelTrackball);
    ASSERT_NE(panel, nullptr);
    ASSERT_EQ(Control("fault unplug-in-download trackball on"), "ok");
    FileDialogAnswer chosen(IDOK, WriteImage(L"good.rom", GoodImage(kPanelTrackball)));
    ClickButton(panel->GetSafeHwnd(), IDC_DOWNLOAD_BTN);
    ASSERT_NE(CopyingOnScreen(), nullptr);
    ASSERT_TRUE(PumpUntil([&] { return main->PanelWindow(kPanelTrackball) == nullptr; }));
    EXPECT_EQ(CopyingOnScreen(), nullptr);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, CFirmwareDownload::kDisconnected);
    // The main window learns the state from its own sink, after it took the panel back.
    EXPECT_TRUE(PumpUntil([&] { return !IsEnabled(Main(), IDC_TRACKBALL_BTN); }));
}

TEST_F(BadImageLiveTest, WindowClosedMidTransferLeavesNoCopyingWindowAndTheNextDownloadWorks) {
    CPanelFrameDlg* panel = OpenPanel(kPanelAudio);
    ASSERT_NE(panel, nullptr);
    FileDialogAnswer chosen(IDOK, WriteImage(L"good.rom", GoodImage(kPanelAudio)));
    ClickButton(panel->GetSafeHwnd(), IDC_DOWNLOAD_BTN);
    ASSERT_TRUE(PumpUntil([&] {
        CCopyingDlg* copying = panel->Download().CopyingWindow();
        return copying && copying->Progress().GetPos() > 0;
    }));
    ClosePanel(kPanelAudio);
    EXPECT_EQ(CopyingOnScreen(), nullptr);
    EXPECT_TRUE(boxes.boxes.empty());

    // The abandoned transfer runs to its end in the library; the panel is then
    // free for the next window's download.
    EXPECT_TRUE(PumpUntil([] { return Control("status audio").find("download idle") != std::string::npos; }));
    panel = OpenPanel(kPanelAudio);
    ASSERT_NE(panel, nullptr);
    ClickButton(panel->GetSafeHwnd(), IDC_DOWNLOAD_BTN);
    ASSERT_TRUE(WaitForBox());
    EXPECT_EQ(boxes.boxes[0].text, CFirmwareDownload::kSucceeded);
}

}  // namespace
