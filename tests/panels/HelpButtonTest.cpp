// "?" in every panel window: the Information window with that panel's own help
// file, over the panel window, which waits for it; and a panel that goes away
// while the help is open.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "contract/PanelIids.h"
#include "device/PanelMessages.h"
#include "framework/CWinApp.h"
#include "res/resource.h"
#include "tests/help/HelpTestSupport.h"
#include "tests/panels/PanelTestSupport.h"
#include "tests/support/TestWindows.h"

namespace {

struct HelpCase {
    int panel;
    const char* name;
    const wchar_t* file;
};

void PrintTo(const HelpCase& c, std::ostream* os) { *os << c.name; }

const HelpCase kHelp[] = {
    {kPanelJogShuttle, "jog", L"VelJog.txt"},
    {kPanelAudio, "audio", L"VelFad.txt"},
    {kPanelTrackball, "trackball", L"VelTrk.txt"},
    {kPanelMediaBar, "mediabar", L"VelKnb.txt"},
};

HWND InformationWindow() { return FindOwnDialog(L"Information"); }

// A help file beside this test program for the test's length.
class HelpFileBesideProgram {
public:
    HelpFileBesideProgram(const wchar_t* name, const std::string& text) {
        const std::wstring self = OwnPath();
        m_path = self.substr(0, self.rfind(L'\\') + 1) + name;
        WriteBytes(m_path, text);
    }
    ~HelpFileBesideProgram() { ::DeleteFileW(m_path.c_str()); }
    HelpFileBesideProgram(const HelpFileBesideProgram&) = delete;
    HelpFileBesideProgram& operator=(const HelpFileBesideProgram&) = delete;

private:
    std::wstring m_path;
};

class HelpButtonTest : public ::testing::TestWithParam<HelpCase> {
protected:
    void SetUp() override {
        FakeDeviceManager::InstallFactory(&fake);
        // The panel window is owned by the main window, and the help goes over
        // the window the user worked in last.
        app.m_pMainWnd = &owner;
        owner.panel = NewPanelWindow(GetParam().panel, &owner).release();
        owner.panel->Open();
        PumpMessages();
        ASSERT_TRUE(fake.Connect(GetParam().panel, kPanelConnected));
        PumpMessages();
        ::SetActiveWindow(owner.panel->GetSafeHwnd());
    }
    void TearDown() override {
        if (owner.panel) CWnd::DestroyAndDelete(owner.panel);
        PumpMessages();
        app.m_pMainWnd = nullptr;
        FakeDeviceManager::InstallFactory(nullptr);
    }
    void PressHelp() {
        ::SendMessageW(owner.panel->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_HELP_BTN, BN_CLICKED), 0);
    }

    CWinApp app;
    FakeDeviceManager fake;
    MessageBoxRecorder boxes;
    ClosingOwner owner;
};

TEST_P(HelpButtonTest, ShowsThePanelsOwnHelpOverThePanelWindow) {
    const std::string text = std::string("Help of ") + GetParam().name + "\r\nsecond line\r\n";
    HelpFileBesideProgram file(GetParam().file, text);
    const HWND panel = owner.panel->GetSafeHwnd();
    std::wstring shown;
    HWND infoOwner = nullptr;
    bool panelWaits = false;
    ModalDriver driver(InformationWindow, CloseBy::OkButton, [&](HWND info) {
        shown = FullWindowText(::GetDlgItem(info, IDC_HELP_EDIT));
        infoOwner = ::GetWindow(info, GW_OWNER);
        panelWaits = !::IsWindowEnabled(panel);
    });
    PressHelp();
    ASSERT_TRUE(driver.Looked());
    EXPECT_EQ(shown, Widened(text));
    EXPECT_EQ(infoOwner, panel);
    EXPECT_TRUE(panelWaits);
    EXPECT_TRUE(::IsWindowEnabled(panel));
    EXPECT_EQ(InformationWindow(), nullptr);
}

// The window goes while its "?" handler still waits in the help's loop.
TEST_P(HelpButtonTest, PanelLostWhileTheHelpIsOpenClosesBoth) {
    const HWND panel = owner.panel->GetSafeHwnd();
    ModalDriver driver(InformationWindow, CloseBy::OkButton, [&](HWND) { fake.Connect(GetParam().panel, 0); });
    PressHelp();
    PumpMessages();
    EXPECT_TRUE(driver.Looked());
    // Nothing of the help stays behind the window it belonged to.
    EXPECT_EQ(owner.goodbyes, 1);
    EXPECT_FALSE(::IsWindow(panel));
    EXPECT_EQ(InformationWindow(), nullptr);
    EXPECT_EQ(fake.Device(GetParam().panel).CallsAfterRelease(), 0);
}

INSTANTIATE_TEST_SUITE_P(Panels, HelpButtonTest, ::testing::ValuesIn(kHelp),
                         [](const ::testing::TestParamInfo<HelpCase>& info) { return std::string(info.param.name); });

}  // namespace
