// The real VelPanel.exe with the stand-in library beside it, started as its own
// process, driven through the simulator's control channel and inspected from
// outside the way a user sees it: window texts, enabled states, key states.
// Every case runs twice: with the stand-in library as the program's
// TqDvManager.dll, and with the recorder in its place in front of it (renamed
// TqDvManager.real.dll), where the program must behave exactly the same and
// leave a recording that reads back whole.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "recorder/format/RecordingParser.h"
#include "res/resource.h"
#include "tests/e2e/LiveControl.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WinePath.h"

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

// The first top-level window of process pid that match accepts, or null.
struct FindArgs {
    DWORD pid;
    const std::function<bool(HWND)>& match;
    HWND found;
};

// A named callback, not a lambda: a lambda converts to a plain function pointer,
// which on i686 is not the __stdcall that WNDENUMPROC is.
BOOL CALLBACK MatchTopWindow(HWND hwnd, LPARAM lp) {
    auto* a = reinterpret_cast<FindArgs*>(lp);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hwnd, &owner);
    if (owner != a->pid || !a->match(hwnd)) return TRUE;
    a->found = hwnd;
    return FALSE;
}

HWND FindTopWindow(DWORD pid, const std::function<bool(HWND)>& match) {
    FindArgs args{pid, match, nullptr};
    ::EnumWindows(&MatchTopWindow, reinterpret_cast<LPARAM>(&args));
    return args.found;
}

HWND TopWindowOf(DWORD pid, const wchar_t* title) {
    return FindTopWindow(pid, [title](HWND hwnd) { return Text(hwnd) == title; });
}

// The main window's title with the stand-in library loaded; without it, "VelPanel".
constexpr wchar_t kSimulatedTitle[] = L"VelPanel - simulated panels";

// What sits beside VelPanel.exe.
enum class Library {
    kPlain,               // the stand-in library as TqDvManager.dll
    kThroughTheRecorder,  // the recorder as TqDvManager.dll, the stand-in as TqDvManager.real.dll
    kNone,                // no library at all
    kRecorderAlone,       // the recorder without a real library behind it
};

std::string LibraryName(const ::testing::TestParamInfo<Library>& info) {
    return info.param == Library::kPlain ? "Plain" : "ThroughTheRecorder";
}

class VelPanelProcess : public ::testing::TestWithParam<Library> {
protected:
    void SetUp() override { Start(GetParam(), true); }

    void Start(Library library, bool waitForMain, DWORD creationFlags = 0) {
        m_library = library;
        UseOwnControlPipe();  // inherited by the program, so parallel tests don't meet
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        m_folder = std::wstring(temp) + L"velpanel-e2e-" + std::to_wstring(::GetCurrentProcessId());
        ::CreateDirectoryW(m_folder.c_str(), nullptr);
        m_exe = m_folder + L"\\VelPanel.exe";
        ASSERT_TRUE(::CopyFileW(WinePath(VEL_APP_EXE).c_str(), m_exe.c_str(), FALSE));
        const std::wstring dll = m_folder + L"\\TqDvManager.dll";
        const std::wstring real = m_folder + L"\\TqDvManager.real.dll";
        struct Copy {
            bool wanted;
            const char* from;
            const std::wstring& to;
        };
        const Copy copies[] = {
            {library == Library::kPlain, VEL_SIM_DLL, dll},
            {library == Library::kThroughTheRecorder || library == Library::kRecorderAlone, VEL_RECORDER_DLL, dll},
            {library == Library::kThroughTheRecorder, VEL_SIM_DLL, real},
        };
        for (const Copy& c : copies) {
            if (c.wanted) {
                ASSERT_TRUE(::CopyFileW(WinePath(c.from).c_str(), c.to.c_str(), FALSE));
            }
        }

        ASSERT_TRUE(Launch(m_process, creationFlags));
        // Both libraries here have the stand-in's panels behind them, and the title says so.
        if (waitForMain) {
            ASSERT_TRUE(
                WaitFor([&] { return (m_main = TopWindowOf(m_process.dwProcessId, kSimulatedTitle)) != nullptr; }));
        }
    }

    // One more start of the program in the folder Start made.
    bool Launch(PROCESS_INFORMATION& process, DWORD creationFlags = 0) {
        STARTUPINFOW si{};
        si.cb = sizeof si;
        std::wstring cmd = L"\"" + m_exe + L"\"";
        return ::CreateProcessW(m_exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, creationFlags, nullptr,
                                m_folder.c_str(), &si, &process) != FALSE;
    }

    void TearDown() override {
        if (m_process.hProcess) {
            if (::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
                if (m_main) ::PostMessageW(m_main, WM_COMMAND, MAKEWPARAM(IDC_EXIT_BTN, BN_CLICKED), 0);
                if (::WaitForSingleObject(m_process.hProcess, 15000) == WAIT_TIMEOUT)
                    ::TerminateProcess(m_process.hProcess, 99);
            }
            ::CloseHandle(m_process.hThread);
            ::CloseHandle(m_process.hProcess);
        }
        const std::vector<std::wstring> recordings = Recordings();
        if (m_library == Library::kThroughTheRecorder) {
            EXPECT_EQ(recordings.size(), 1u);
            for (const auto& r : recordings) CheckRecording(r);
        } else {
            EXPECT_TRUE(recordings.empty()) << "only the recorder writes a file";
        }
        for (const auto& r : recordings) ::DeleteFileW(r.c_str());
        for (const wchar_t* name : {L"VelPanel.exe", L"TqDvManager.dll", L"TqDvManager.real.dll"})
            ::DeleteFileW((m_folder + L"\\" + name).c_str());
        ::RemoveDirectoryW(m_folder.c_str());
    }

    // The recordings beside the program.
    std::vector<std::wstring> Recordings() const {
        std::vector<std::wstring> found;
        WIN32_FIND_DATAW data;
        HANDLE find = ::FindFirstFileW((m_folder + L"\\*.tqrec").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return found;
        do found.push_back(m_folder + L"\\" + data.cFileName);
        while (::FindNextFileW(find, &data));
        ::FindClose(find);
        return found;
    }

    // The session the program had, written down whole: it reads back without a
    // bad line, and every call came back (the program ended normally).
    static void CheckRecording(const std::wstring& path) {
        std::vector<RecordedEvent> events;
        std::string error;
        EXPECT_TRUE(RecordingParser::Parse(ReadWholeFile(path).value_or(std::string()), events, error)) << error;
        int calls = 0, returns = 0;
        for (const RecordedEvent& e : events) {
            calls += e.kind == RecordedEvent::kCall;
            returns += e.kind == RecordedEvent::kReturn;
        }
        EXPECT_GT(calls, 0);
        EXPECT_EQ(calls, returns);
    }

    HWND Item(int id) const { return ::GetDlgItem(m_main, id); }
    void Click(HWND window, int id) {
        ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(window, id)));
    }
    DWORD ExitCodeAfterExit() {
        if (::WaitForSingleObject(m_process.hProcess, 15000) != WAIT_OBJECT_0) return STILL_ACTIVE;
        DWORD code = STILL_ACTIVE;
        ::GetExitCodeProcess(m_process.hProcess, &code);
        return code;
    }

    Library m_library = Library::kPlain;
    std::wstring m_folder, m_exe;
    PROCESS_INFORMATION m_process{};
    HWND m_main = nullptr;
};

INSTANTIATE_TEST_SUITE_P(Library, VelPanelProcess, ::testing::Values(Library::kPlain, Library::kThroughTheRecorder),
                         LibraryName);

TEST_P(VelPanelProcess, ListsTheFourPanelsWithTheirVersionsAndFollowsConnection) {
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

TEST_P(VelPanelProcess, OpensAPanelWindowThatFollowsThePanelAndGoesBackOnClose) {
    Click(m_main, IDC_JOG_BTN);
    HWND jog = nullptr;
    ASSERT_TRUE(
        WaitFor([&] { return (jog = TopWindowOf(m_process.dwProcessId, L"Jog & Shuttle Control Panel")) != nullptr; }));
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

TEST_P(VelPanelProcess, UnpluggingTheOpenPanelClosesItsWindow) {
    Click(m_main, IDC_JOG_BTN);
    HWND jog = nullptr;
    ASSERT_TRUE(
        WaitFor([&] { return (jog = TopWindowOf(m_process.dwProcessId, L"Jog & Shuttle Control Panel")) != nullptr; }));
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

TEST_P(VelPanelProcess, ExitEndsTheProgramCleanly) {
    Click(m_main, IDC_AUDIO_BTN);  // with a panel window open, too
    ASSERT_TRUE(WaitFor([&] { return TopWindowOf(m_process.dwProcessId, L"Audio Control Panel") != nullptr; }));
    Click(m_main, IDC_EXIT_BTN);
    EXPECT_EQ(0u, ExitCodeAfterExit());
}

TEST_P(VelPanelProcess, EscapeEndsTheProgramCleanly) {
    ::PostMessageW(m_main, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_EQ(0u, ExitCodeAfterExit());
}

TEST_P(VelPanelProcess, CloseBoxEndsTheProgramCleanly) {
    ::PostMessageW(m_main, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(0u, ExitCodeAfterExit());
}

// Two VelPanels would drive the same panels against each other. Started after the
// first one's window is up (and minimised), or at the very same moment, one main
// window remains and the other process ends without a window of its own.
class SecondStart : public VelPanelProcess {
protected:
    void SetUp() override {}
    // The other start, ended here whatever a failed check left running: a VelPanel
    // left behind would take the next run's claim.
    void TearDown() override {
        if (m_other.hProcess) {
            if (::WaitForSingleObject(m_other.hProcess, 0) == WAIT_TIMEOUT) ::TerminateProcess(m_other.hProcess, 99);
            ::CloseHandle(m_other.hThread);
            ::CloseHandle(m_other.hProcess);
            m_other = {};
        }
        VelPanelProcess::TearDown();
        m_process = {};
        m_main = nullptr;
    }
    static int MainWindows() {
        int count = 0;
        for (HWND w = nullptr; (w = ::FindWindowExW(nullptr, w, L"#32770", kSimulatedTitle)) != nullptr;) ++count;
        return count;
    }

    PROCESS_INFORMATION m_other{};
};

TEST_F(SecondStart, LeavesOneMainWindowAndEnds) {
    struct Case {
        const char* what;
        bool atOnce;
    };
    const Case cases[] = {{"after the first, minimised", false}, {"both at once", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // At once: both made ready, then let go together.
        const DWORD flags = c.atOnce ? CREATE_SUSPENDED : 0;
        Start(Library::kPlain, !c.atOnce, flags);
        if (!c.atOnce) {
            ::ShowWindow(m_main, SW_MINIMIZE);
            ASSERT_TRUE(::IsIconic(m_main));
        }
        ASSERT_TRUE(Launch(m_other, flags));
        if (c.atOnce) {
            ::ResumeThread(m_other.hThread);
            ::ResumeThread(m_process.hThread);
        }
        const HANDLE both[] = {m_process.hProcess, m_other.hProcess};
        const DWORD ended = ::WaitForMultipleObjects(2, both, FALSE, 30000) - WAIT_OBJECT_0;
        ASSERT_LT(ended, 2u) << "neither start ended";
        if (!c.atOnce) {
            EXPECT_EQ(1u, ended) << "the running VelPanel gave way";
        }
        // From here m_process is the one that runs on, m_other the one that ended.
        if (ended == 0) std::swap(m_process, m_other);
        DWORD code = STILL_ACTIVE;
        ::GetExitCodeProcess(m_other.hProcess, &code);
        EXPECT_EQ(0u, code);

        EXPECT_TRUE(WaitFor([&] { return (m_main = TopWindowOf(m_process.dwProcessId, kSimulatedTitle)) != nullptr; }));
        EXPECT_EQ(WAIT_TIMEOUT, ::WaitForSingleObject(m_process.hProcess, 0)) << "the first VelPanel ended";
        EXPECT_EQ(1, MainWindows());
        if (!c.atOnce) {
            EXPECT_TRUE(WaitFor([&] { return !::IsIconic(m_main); })) << "still minimised";
        }
        TearDown();
    }
}

// A process's message box: a window with the box's text control (0xFFFF), or null.
HWND MessageBoxOf(DWORD pid) {
    return FindTopWindow(pid, [](HWND hwnd) { return ::IsWindowVisible(hwnd) && ::GetDlgItem(hwnd, 0xFFFF); });
}

// Without the real library behind it the recorder refuses to load, so the
// program says exactly what it says when there is no library at all; with no
// stand-in loaded the title is the plain one.
class MissingLibrary : public VelPanelProcess {
protected:
    void SetUp() override {}
    std::wstring BoxTextWith(Library library) {
        Start(library, false);
        HWND box = nullptr;
        EXPECT_TRUE(WaitFor([&] { return (box = MessageBoxOf(m_process.dwProcessId)) != nullptr; })) << "no box";
        const std::wstring text = Text(::GetDlgItem(box, 0xFFFF));
        // Once the box is answered, the program runs on without panels and ends normally.
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitFor([&] {
            m_main = TopWindowOf(m_process.dwProcessId, L"VelPanel");
            return m_main && ::GetDlgItem(m_main, IDC_EXIT_BTN) && !MessageBoxOf(m_process.dwProcessId);
        }));
        ::PostMessageW(m_main, WM_COMMAND, MAKEWPARAM(IDC_EXIT_BTN, BN_CLICKED), 0);
        EXPECT_EQ(0u, ExitCodeAfterExit());
        ::CloseHandle(m_process.hThread);
        ::CloseHandle(m_process.hProcess);
        m_process = {};
        m_main = nullptr;
        return text;
    }
};

TEST_F(MissingLibrary, TheRecorderWithoutTheRealLibraryGetsTheProgramsOwnMessage) {
    const std::wstring none = BoxTextWith(Library::kNone);
    TearDown();
    const std::wstring recorder = BoxTextWith(Library::kRecorderAlone);
    EXPECT_NE(none.find(L"could not be loaded"), std::wstring::npos) << none;
    EXPECT_NE(none.find(L"TqDvManager.dll"), std::wstring::npos) << none;
    EXPECT_EQ(recorder, none);
}

}  // namespace
