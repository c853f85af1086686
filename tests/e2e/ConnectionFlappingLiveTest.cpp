// End to end: the Jog & Shuttle panel plugged and unplugged at 50 Hz during a
// report storm while its window is open, and opened again whenever the main
// window offers the panel. Whatever the timing, the window either stays and
// works or has gone back to the main window cleanly, and the library never sees
// a call through an interface the program has released. The library reports
// such a call on standard error, which this test reads.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/CMainPanelDlg.h"
#include "panels/CPanelFrameDlg.h"
#include "res/resource.h"
#include "tests/e2e/LiveControl.h"
#include "tests/e2e/LiveMainWindowTest.h"
#include "tests/panels/PanelTestSupport.h"
#include "tests/support/TestWindows.h"

namespace {
constexpr int kCycles = 100;  // of 20 ms each: unplugged 10 ms, plugged 10 ms
constexpr int kMaxReopenings = 40;
constexpr DWORD kGuardMs = 20000;  // for a script of 2 s

std::wstring TempPath(const wchar_t* name) {
    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + name + std::to_wstring(::GetCurrentProcessId()) + L".txt";
}

std::string Utf8(const std::wstring& w) {
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n > 0 ? n - 1 : 0), '\0');
    if (n > 1) ::WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, &s[0], n, nullptr, nullptr);
    return s;
}

bool WriteFileText(const std::wstring& path, const std::string& text) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD put = 0;
    const bool ok =
        ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &put, nullptr) && put == text.size();
    ::CloseHandle(file);
    return ok;
}

// Standard error into a file while it lives. The library shares this process's
// C runtime, so its reports land there too.
class StderrCapture {
public:
    StderrCapture() : m_path(TempPath(L"velpanel-stderr-")) {
        std::fflush(stderr);
        m_saved = ::_dup(2);
        m_file = ::_wopen(m_path.c_str(), _O_CREAT | _O_TRUNC | _O_RDWR | _O_BINARY, _S_IREAD | _S_IWRITE);
        if (m_saved >= 0 && m_file >= 0) ::_dup2(m_file, 2);
    }
    ~StderrCapture() {
        Stop();
        ::_wunlink(m_path.c_str());
    }
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;

    bool Capturing() const { return m_saved >= 0 && m_file >= 0; }

    // Puts standard error back and returns what was written meanwhile.
    std::string Stop() {
        if (m_saved >= 0) {
            std::fflush(stderr);
            ::_dup2(m_saved, 2);
            ::_close(m_saved);
            m_saved = -1;
        }
        std::string text;
        if (m_file >= 0) {
            ::_lseek(m_file, 0, SEEK_SET);
            char buffer[512];
            for (int n; (n = ::_read(m_file, buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<size_t>(n));
            ::_close(m_file);
            m_file = -1;
        }
        return text;
    }

private:
    std::wstring m_path;
    int m_saved = -1;
    int m_file = -1;
};

struct FlappingCase {
    const char* name;
    bool endsPlugged;
};

const FlappingCase kCases[] = {{"EndsPlugged", true}, {"EndsUnplugged", false}};

void PrintTo(const FlappingCase& c, std::ostream* os) { *os << c.name; }

class ConnectionFlappingLiveTest : public LiveMainWindowTest<::testing::TestWithParam<FlappingCase>> {
protected:
    void SetUp() override {
        ASSERT_TRUE(capture.Capturing());
        LiveMainWindowTest::SetUp();
    }
    void TearDown() override {
        LiveMainWindowTest::TearDown();
        ::DeleteFileW(script.c_str());
        // Releasing everything at the end is part of what must stay clean.
        const std::string errors = capture.Stop();
        EXPECT_EQ(errors.find("TqDvManager:"), std::string::npos) << errors;
    }
    CPanelFrameDlg* Window() const { return main->PanelWindow(kPanelJogShuttle); }
    bool ScriptRunning() { return Control("status jog").find(" steps to go") != std::string::npos; }

    // Unplugging ends a storm, so each plug starts it again.
    std::string FlappingScript() const {
        std::string s;
        for (int i = 0; i < kCycles; ++i) s += "unplug jog\nwait 10\nplug jog\nstorm jog 1000 3\nwait 10\n";
        if (!GetParam().endsPlugged) s += "unplug jog\n";
        return s;
    }

    StderrCapture capture;
    std::wstring script = TempPath(L"velpanel-flapping-");
};

TEST_P(ConnectionFlappingLiveTest, TheWindowStaysWorkingOrGoesBackCleanly) {
    ASSERT_TRUE(PumpUntil([&] { return IsEnabled(Main(), IDC_JOG_BTN) && main->EventInterface(kPanelJogShuttle); }));
    ClickButton(Main(), IDC_JOG_BTN);
    ASSERT_NE(Window(), nullptr);
    ASSERT_TRUE(PumpUntil([&] { return Window()->IsConnected(); }));
    ASSERT_EQ(Control("storm jog 1000 3"), "ok");
    ASSERT_TRUE(WriteFileText(script, FlappingScript()));
    ASSERT_EQ(Control("play " + Utf8(script)), "ok");

    int reopenings = 0;
    const DWORD start = ::GetTickCount();
    for (DWORD lastStatus = start; ::GetTickCount() - start < kGuardMs;) {
        PumpMessages();
        if (!Window() && IsEnabled(Main(), IDC_JOG_BTN) && reopenings < kMaxReopenings) {
            ClickButton(Main(), IDC_JOG_BTN);
            ++reopenings;
        }
        if (::GetTickCount() - lastStatus >= 100) {
            if (!ScriptRunning()) break;
            lastStatus = ::GetTickCount();
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    ASSERT_FALSE(ScriptRunning()) << "the flapping script did not end in time";

    const bool plugged = GetParam().endsPlugged;
    if (plugged) {
        // Settled: the window has the panel again, or the main window has.
        EXPECT_TRUE(PumpUntil([&] {
            return Window() ? Window()->IsConnected()
                            : main->EventInterface(kPanelJogShuttle) && main->DeviceInterface(kPanelJogShuttle);
        }));
    } else {
        // A window that saw its panel go closes; one opened as it went never saw it.
        EXPECT_TRUE(PumpUntil([&] { return !Window() || !Window()->IsConnected(); }));
    }
    // The main window's row follows the final state while it holds the panel; a
    // window still open keeps the panel lent, and the row what it showed then.
    if (!Window()) {
        EXPECT_TRUE(PumpUntil([&] { return IsEnabled(Main(), IDC_JOG_BTN) == plugged; }));
    }
    if (CPanelFrameDlg* window = Window()) {
        EXPECT_TRUE(::IsWindowVisible(window->GetSafeHwnd()));
        ClickButton(window->GetSafeHwnd(), IDC_MODE_TEST);
        PumpMessages();
        EXPECT_FALSE(IsEnabled(window->GetSafeHwnd(), IDC_DOWNLOAD_BTN));
        if (plugged) {
            EXPECT_TRUE(PumpUntil([&] { return Control("status jog").find(" test ") != std::string::npos; }));
        }
        ClickButton(window->GetSafeHwnd(), IDC_MODE_NORMAL);
        PumpMessages();
        EXPECT_TRUE(IsEnabled(window->GetSafeHwnd(), IDC_DOWNLOAD_BTN));
    } else {
        EXPECT_NE(main->EventInterface(kPanelJogShuttle), nullptr);
        EXPECT_NE(main->DeviceInterface(kPanelJogShuttle), nullptr);
    }
    EXPECT_TRUE(boxes.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Flapping, ConnectionFlappingLiveTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<FlappingCase>& info) { return info.param.name; });
}  // namespace
