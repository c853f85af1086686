// The real VelPanel.exe with the stand-in library beside it, started as its own
// process, driven through the simulator's control channel and inspected from
// outside the way a user sees it: window texts, enabled states, key states.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "LiveControl.h"
#include "WinePath.h"
#include "resource.h"

namespace {

std::wstring Text(HWND hwnd) {
    wchar_t buf[256] = L"";
    ::GetWindowTextW(hwnd, buf, 256);
    return buf;
}

bool WaitFor(const std::function<bool()>& done, int ms = 15000) {
    for (int waited = 0; waited < ms; waited += 20) {
        if (done()) return true;
        ::Sleep(20);
    }
    return done();
}

struct FindArgs {
    DWORD pid;
    const wchar_t* title;
    HWND found;
};

HWND TopWindowOf(DWORD pid, const wchar_t* title) {
    FindArgs args{pid, title, nullptr};
    ::EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* a = reinterpret_cast<FindArgs*>(lp);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(hwnd, &owner);
            if (owner == a->pid && Text(hwnd) == a->title) {
                a->found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&args));
    return args.found;
}

class VelPanelProcess : public ::testing::Test {
protected:
    void SetUp() override {
        UseOwnControlPipe();  // inherited by the program, so parallel tests don't meet
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"velpanel-e2e-" + std::to_wstring(::GetCurrentProcessId());
        ::CreateDirectoryW(folder_.c_str(), nullptr);
        exe_ = folder_ + L"\\VelPanel.exe";
        dll_ = folder_ + L"\\TqDvManager.dll";
        ASSERT_TRUE(::CopyFileW(WinePath(VEL_APP_EXE).c_str(), exe_.c_str(), FALSE));
        ASSERT_TRUE(::CopyFileW(WinePath(VEL_SIM_DLL).c_str(), dll_.c_str(), FALSE));

        STARTUPINFOW si{};
        si.cb = sizeof si;
        std::wstring cmd = L"\"" + exe_ + L"\"";
        ASSERT_TRUE(::CreateProcessW(exe_.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(),
                                     &si, &process_));
        ASSERT_TRUE(WaitFor([&] { return (main_ = TopWindowOf(process_.dwProcessId, L"VelPanel")) != nullptr; }));
    }

    void TearDown() override {
        if (process_.hProcess) {
            if (::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
                if (main_) ::PostMessageW(main_, WM_COMMAND, MAKEWPARAM(IDC_EXIT_BTN, BN_CLICKED), 0);
                if (::WaitForSingleObject(process_.hProcess, 15000) == WAIT_TIMEOUT)
                    ::TerminateProcess(process_.hProcess, 99);
            }
            ::CloseHandle(process_.hThread);
            ::CloseHandle(process_.hProcess);
        }
        ::DeleteFileW(exe_.c_str());
        ::DeleteFileW(dll_.c_str());
        ::RemoveDirectoryW(folder_.c_str());
    }

    HWND Item(int id) const { return ::GetDlgItem(main_, id); }
    void Click(HWND window, int id) {
        ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(window, id)));
    }
    DWORD ExitCodeAfterExit() {
        if (::WaitForSingleObject(process_.hProcess, 15000) != WAIT_OBJECT_0) return STILL_ACTIVE;
        DWORD code = STILL_ACTIVE;
        ::GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }

    std::wstring folder_, exe_, dll_;
    PROCESS_INFORMATION process_{};
    HWND main_ = nullptr;
};

TEST_F(VelPanelProcess, ListsTheFourPanelsWithTheirVersionsAndFollowsConnection) {
    struct Row {
        int button, firmware, driver;
        const wchar_t* firmwareText;
        const wchar_t* driverText;
    };
    const Row rows[] = {
        {IDC_JOG_BTN, IDC_JOG_FLASH, IDC_JOG_DRIVER, L"Ver 1 Build 135", L"Ver 2.410 Build 7"},
        {IDC_AUDIO_BTN, IDC_AUDIO_FLASH, IDC_AUDIO_DRIVER, L"Ver 2 Build 21a", L"Ver 2.311 Build 4"},
        {IDC_TRACKBALL_BTN, IDC_TRACKBALL_FLASH, IDC_TRACKBALL_DRIVER, L"Ver 1 Build f3", L"Ver 1.925 Build 12"},
        {IDC_MEDIABAR_BTN, IDC_MEDIABAR_FLASH, IDC_MEDIABAR_DRIVER, L"Ver 3 Build 104", L"Ver 3.102 Build 1"},
    };
    for (const auto& r : rows) {
        // The two labels are set one after the other: wait for both, or a look
        // between the two would find the driver label still empty.
        EXPECT_TRUE(WaitFor([&] {
            return Text(Item(r.firmware)) == r.firmwareText && Text(Item(r.driver)) == r.driverText;
        })) << Text(Item(r.firmware))
            << " / " << Text(Item(r.driver));
        EXPECT_TRUE(::IsWindowEnabled(Item(r.button)));
    }

    ASSERT_EQ("ok", Control("unplug trackball"));
    EXPECT_TRUE(WaitFor([&] { return !::IsWindowEnabled(Item(IDC_TRACKBALL_BTN)); }));
    EXPECT_TRUE(
        WaitFor([&] { return Text(Item(IDC_TRACKBALL_FLASH)).empty() && Text(Item(IDC_TRACKBALL_DRIVER)).empty(); }));
    EXPECT_TRUE(::IsWindowEnabled(Item(IDC_JOG_BTN)));

    // New firmware shows once the panel comes back.
    ASSERT_EQ("ok", Control("firmware trackball 4 2c0"));
    ASSERT_EQ("ok", Control("plug trackball"));
    EXPECT_TRUE(WaitFor([&] { return ::IsWindowEnabled(Item(IDC_TRACKBALL_BTN)) != FALSE; }));
    EXPECT_TRUE(WaitFor([&] { return Text(Item(IDC_TRACKBALL_FLASH)) == L"Ver 4 Build 2c0"; }))
        << Text(Item(IDC_TRACKBALL_FLASH));
}

TEST_F(VelPanelProcess, OpensAPanelWindowThatFollowsThePanelAndGoesBackOnClose) {
    Click(main_, IDC_JOG_BTN);
    HWND jog = nullptr;
    ASSERT_TRUE(
        WaitFor([&] { return (jog = TopWindowOf(process_.dwProcessId, L"Jog & Shuttle Control Panel")) != nullptr; }));
    HWND f1 = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (f1 = ::GetDlgItem(jog, IDC_F1_BTN)) != nullptr; }));

    // The window has the panel once its own sink hears it connected.
    EXPECT_TRUE(WaitFor([&] {
        Control("press jog F1");
        return (::SendMessageW(f1, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    }));
    ASSERT_EQ("ok", Control("release jog F1"));
    EXPECT_TRUE(WaitFor([&] { return (::SendMessageW(f1, BM_GETSTATE, 0, 0) & BST_PUSHED) == 0; }));

    // Test mode disables ProgramDownLoad and the dial-mode buttons.
    Click(jog, IDC_MODE_TEST);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindowEnabled(::GetDlgItem(jog, IDC_DOWNLOAD_BTN)); }));
    // The program is still working through the click: the radios follow ProgramDownLoad.
    EXPECT_TRUE(WaitFor([&] { return !::IsWindowEnabled(::GetDlgItem(jog, IDC_DIAL_JOG)); }));
    Click(jog, IDC_MODE_NORMAL);
    EXPECT_TRUE(WaitFor([&] { return ::IsWindowEnabled(::GetDlgItem(jog, IDC_DOWNLOAD_BTN)) != FALSE; }));

    // Escape leaves it; the close box hands the panel back to the main window.
    ::PostMessageW(jog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ::Sleep(300);
    EXPECT_TRUE(::IsWindow(jog));
    ::PostMessageW(jog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(jog); }));
    // And the main window has it again: unplugging now shows in its row.
    ASSERT_EQ("ok", Control("unplug jog"));
    EXPECT_TRUE(WaitFor([&] { return !::IsWindowEnabled(Item(IDC_JOG_BTN)); }));
}

TEST_F(VelPanelProcess, UnpluggingTheOpenPanelClosesItsWindow) {
    Click(main_, IDC_JOG_BTN);
    HWND jog = nullptr;
    ASSERT_TRUE(
        WaitFor([&] { return (jog = TopWindowOf(process_.dwProcessId, L"Jog & Shuttle Control Panel")) != nullptr; }));
    HWND f1 = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (f1 = ::GetDlgItem(jog, IDC_F1_BTN)) != nullptr; }));
    // A key seen going down means the window has heard from its panel, connection first:
    // only a panel once seen connected can be lost.
    ASSERT_TRUE(WaitFor([&] {
        Control("press jog F1");
        return (::SendMessageW(f1, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    }));
    ASSERT_EQ("ok", Control("unplug jog"));
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(jog); }));
    EXPECT_TRUE(WaitFor([&] { return !::IsWindowEnabled(Item(IDC_JOG_BTN)); }));
}

TEST_F(VelPanelProcess, ExitEndsTheProgramCleanly) {
    Click(main_, IDC_AUDIO_BTN);  // with a panel window open, too
    ASSERT_TRUE(WaitFor([&] { return TopWindowOf(process_.dwProcessId, L"Audio Control Panel") != nullptr; }));
    Click(main_, IDC_EXIT_BTN);
    EXPECT_EQ(0u, ExitCodeAfterExit());
}

TEST_F(VelPanelProcess, EscapeEndsTheProgramCleanly) {
    ::PostMessageW(main_, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_EQ(0u, ExitCodeAfterExit());
}

TEST_F(VelPanelProcess, CloseBoxEndsTheProgramCleanly) {
    ::PostMessageW(main_, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(0u, ExitCodeAfterExit());
}

}  // namespace
