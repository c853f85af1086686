// A session recorded through the recorder plays back into the same picture:
// the Jog & Shuttle window is worked live with the recorder in front of the
// stand-in library, then opened afresh on the stand-in library alone while
// velsim plays the recording into it; both pictures must be the same, pixel
// for pixel, and so must the window's key, lamp, radio and dial states. On the
// way, velsim's readable timeline of the recording must tell the session.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "device/CDeviceLibrary.h"
#include "panels/CJogShuttlePanelDlg.h"
#include "res/resource.h"
#include "tests/e2e/LiveControl.h"
#include "tests/panels/PanelTestSupport.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestWindows.h"
#include "tests/support/WinePath.h"
#include "widgets/CDialCtrl.h"

namespace {

std::wstring ExeFolder() {
    wchar_t path[MAX_PATH];
    const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s(path, n);
    return s.substr(0, s.find_last_of(L"\\/") + 1);
}

// This process's recording beside the program (its header names the process).
std::wstring OwnRecording() {
    const std::wstring folder = ExeFolder();
    const std::string mark = ", process " + std::to_string(::GetCurrentProcessId()) + "\n";
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((folder + L"*.tqrec").c_str(), &data);
    std::wstring found;
    if (find == INVALID_HANDLE_VALUE) return found;
    do {
        const std::wstring path = folder + data.cFileName;
        if (ReadWholeFile(path).value_or(std::string()).find(mark) != std::string::npos) found = path;
    } while (found.empty() && ::FindNextFileW(find, &data));
    ::FindClose(find);
    return found;
}

PFN_CreateDeviceManager ExportOf(const std::wstring& path) {
    HMODULE module = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    return module ? reinterpret_cast<PFN_CreateDeviceManager>(
                        reinterpret_cast<void*>(::GetProcAddress(module, kCreateDeviceManagerExport)))
                  : nullptr;
}

// Everything the window shows, as pixels of its client area.
std::vector<COLORREF> Picture(HWND hwnd) {
    ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages();
    RECT r;
    ::GetClientRect(hwnd, &r);
    HDC dc = ::GetDC(hwnd);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < r.bottom; y += 2)
        for (int x = 0; x < r.right; x += 2) pixels.push_back(::GetPixel(dc, x, y));
    ::ReleaseDC(hwnd, dc);
    return pixels;
}

// The same, as states: keys and lamps pushed, radios checked, the dial.
std::string States(CJogShuttlePanelDlg& wnd) {
    std::string s;
    for (int id = IDC_F2_BTN; id <= Dev_Dmc_led; ++id)
        if (::SendDlgItemMessageW(wnd.GetSafeHwnd(), id, BM_GETSTATE, 0, 0) & BST_PUSHED) s += std::to_string(id) + " ";
    if (::SendDlgItemMessageW(wnd.GetSafeHwnd(), IDC_F1_BTN, BM_GETSTATE, 0, 0) & BST_PUSHED) s += "F1 ";
    for (int id = IDC_DIAL_OFF; id <= IDC_DIAL_DMC; ++id)
        if (IsChecked(wnd.GetSafeHwnd(), id)) s += "radio " + std::to_string(id) + " ";
    s += "dial " + std::to_string(wnd.Dial()->GetCount()) + " mode " + std::to_string(int(wnd.Dial()->GetMode()));
    return s;
}

bool Pushed(HWND hwnd, int id) { return (::SendDlgItemMessageW(hwnd, id, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; }

// Runs velsim to its end while this thread keeps the windows going; what it
// prints goes to printed when given (through a file: a pipe left unread while
// the windows are pumped could stall it).
DWORD RunVelsim(const std::wstring& args, std::string* printed = nullptr) {
    std::wstring cmd = L"\"" + WinePath(VELSIM_EXE_PATH) + L"\" " + args;
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring outPath = std::wstring(temp) + L"velsim-out-" + std::to_wstring(::GetCurrentProcessId());
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE out = printed ? ::CreateFileW(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_TEMPORARY, nullptr)
                         : INVALID_HANDLE_VALUE;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (out != INVALID_HANDLE_VALUE) {
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = out;
        si.hStdError = out;
    }
    PROCESS_INFORMATION pi{};
    const BOOL started = ::CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, out != INVALID_HANDLE_VALUE,
                                          CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi);
    if (out != INVALID_HANDLE_VALUE) ::CloseHandle(out);
    if (!started) return 9999;
    DWORD code = 9998;
    for (int i = 0; i < 6000; ++i) {
        if (::MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 10, QS_ALLINPUT) == WAIT_OBJECT_0) {
            ::GetExitCodeProcess(pi.hProcess, &code);
            break;
        }
        PumpMessages();
    }
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    if (printed) {
        *printed = ReadWholeFile(outPath).value_or(std::string());
        ::DeleteFileW(outPath.c_str());
    }
    return code;
}

// The readable timeline without what depends on how fast this machine ran the
// session: no time column, every duration "#", and the program's calls of
// opening and closing one to a line (how many share a line depends on their pace).
std::string Normalised(const std::string& timeline) {
    static const std::regex kTime(R"(^ *\d+\.\d{3}  )");
    static const std::regex kDuration(R"(\b\d+(\.\d+)? m?s\b)");
    const std::string noPanel(11, ' ');
    std::string out;
    std::istringstream lines(timeline);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        line = std::regex_replace(std::regex_replace(line, kTime, ""), kDuration, "#");
        if (line.compare(0, noPanel.size(), noPanel) != 0) {
            out += line + "\n";
            continue;
        }
        // "closes jog; releases M2, M1": "closes jog", "releases M2", "releases M1".
        std::istringstream phrases(std::regex_replace(line.substr(noPanel.size()), std::regex("; "), "\n"));
        for (std::string phrase; std::getline(phrases, phrase);) {
            const std::size_t comma = phrase.find(", ");
            const std::size_t cut = comma == std::string::npos ? std::string::npos : phrase.rfind(' ', comma);
            const std::string words = cut == std::string::npos ? "" : phrase.substr(0, cut + 1);
            std::istringstream items(std::regex_replace(phrase.substr(words.size()), std::regex(", "), "\n"));
            for (std::string item; std::getline(items, item);) out += noPanel + words + item + "\n";
        }
    }
    return out;
}

class RecorderReplay : public ::testing::Test {
protected:
    static void SetUpTestSuite() { UseOwnControlPipe(); }

    void TearDown() override {
        CloseWindow();
        CDeviceLibrary::SetFactoryForTesting(nullptr);
        if (!recording.empty()) ::DeleteFileW(recording.c_str());
    }

    // A Jog & Shuttle window on freshly reset panels, through the library factory given.
    void OpenWindow(PFN_CreateDeviceManager factory) {
        CDeviceLibrary::SetFactoryForTesting(factory);
        keepAlive = CDeviceLibrary::CreateDeviceManager();
        ASSERT_NE(keepAlive, nullptr);
        ASSERT_EQ(Control("reset"), "ok");
        wnd = std::make_unique<CJogShuttlePanelDlg>(&owner);
        wnd->Open();
        ASSERT_TRUE(PumpUntil([&] { return wnd->IsConnected(); }));
    }
    void CloseWindow() {
        if (wnd) wnd->DestroyWindow();
        wnd.reset();
        PumpMessages();
        if (keepAlive) keepAlive->Release();
        keepAlive = nullptr;
    }
    HWND Hwnd() const { return wnd->GetSafeHwnd(); }

    MessageBoxRecorder boxes;
    GoodbyeRecorder owner;
    std::unique_ptr<CJogShuttlePanelDlg> wnd;
    ITqDeviceManager* keepAlive = nullptr;
    std::wstring recording;
};

TEST_F(RecorderReplay, ARecordedSessionPlaysBackIntoTheSamePicture) {
    // The recorder and the stand-in as its real library sit in recorder/ beside this test.
    const std::wstring folder = ExeFolder() + L"recorder\\";
    const PFN_CreateDeviceManager throughRecorder = ExportOf(folder + L"TqDvManager.dll");
    const PFN_CreateDeviceManager plain = ExportOf(folder + L"TqDvManager.real.dll");
    ASSERT_TRUE(throughRecorder && plain);

    OpenWindow(throughRecorder);
    const HWND live = Hwnd();
    ASSERT_EQ(Control("press jog F1"), "ok");
    ASSERT_TRUE(PumpUntil([&] { return Pushed(live, IDC_F1_BTN); }));
    ASSERT_EQ(Control("press jog ENTER"), "ok");
    ASSERT_TRUE(PumpUntil([&] { return Pushed(live, ENTER_BTN); }));
    ASSERT_EQ(Control("release jog F1"), "ok");
    ASSERT_TRUE(PumpUntil([&] { return !Pushed(live, IDC_F1_BTN); }));
    ClickButton(live, IDC_DIAL_JOG);
    ASSERT_TRUE(PumpUntil([&] { return Pushed(live, Dev_Jog_Led); }));
    ASSERT_EQ(Control("jog 36"), "ok");
    ASSERT_TRUE(PumpUntil([&] { return wnd->Dial()->GetCount() == 36; }));
    ASSERT_EQ(Control("tap jog C"), "ok");
    ASSERT_TRUE(PumpUntil([&] { return Pushed(live, Dev_Shuttle_Led) && !Pushed(live, Dev_C_Button); }));
    ASSERT_EQ(Control("jog 50"), "ok");
    ASSERT_EQ(Control("press jog B"), "ok");
    ASSERT_TRUE(PumpUntil([&] { return Pushed(live, Dev_B_Button); }));
    ::Sleep(200);
    PumpMessages();
    const std::string liveStates = States(*wnd);
    const std::vector<COLORREF> livePicture = Picture(live);
    CloseWindow();

    recording = OwnRecording();
    ASSERT_FALSE(recording.empty()) << "the recorder wrote no recording beside the program";

    // What an engineer in the office reads of it.
    std::string timeline;
    EXPECT_EQ(RunVelsim(L"show-recording \"" + recording + L"\"", &timeline), 0u);
    EXPECT_EQ(Normalised(timeline),
              "           CreateDeviceManager → M1\n"
              "           CreateDeviceManager → M2\n"
              "           opens jog\n"
              "jog        connected\n"
              "jog        F1 down\n"
              "jog        ENTER down\n"
              "jog        F1 up\n"
              "jog        SetDialMode JOG\n"
              "jog        dial mode JOG\n"
              "jog        jog +36\n"
              "jog        C down\n"
              "jog        SetDialMode SHUTTLE\n"
              "jog        dial mode SHUTTLE\n"
              "jog        C up\n"
              "jog        shuttle at 50\n"
              "jog        B down\n"
              "jog        SetDialMode JOG\n"
              "jog        dial mode JOG\n"
              "           closes jog\n"
              "           releases M2\n"
              "           releases M1\n")
        << timeline;

    OpenWindow(plain);
    // The session changed the picture: a replay that did nothing could not pass.
    ASSERT_NE(Picture(Hwnd()), livePicture);
    ASSERT_NE(States(*wnd), liveStates);
    const std::wstring pipe = L"VelPanelLive-" + std::to_wstring(::GetCurrentProcessId());
    EXPECT_EQ(RunVelsim(L"--pipe \\\\.\\pipe\\" + pipe + L" play-recording \"" + recording + L"\" --speed 4"), 0u);
    EXPECT_TRUE(PumpUntil([&] { return States(*wnd) == liveStates; }));
    ::Sleep(200);
    PumpMessages();
    EXPECT_EQ(States(*wnd), liveStates);
    const std::vector<COLORREF> replayed = Picture(Hwnd());
    ASSERT_EQ(replayed.size(), livePicture.size());
    std::size_t differ = 0;
    for (std::size_t i = 0; i < replayed.size(); ++i) differ += replayed[i] != livePicture[i];
    EXPECT_EQ(differ, 0u) << "of " << replayed.size() << " pixels";
    EXPECT_TRUE(boxes.boxes.empty());
}

}  // namespace
