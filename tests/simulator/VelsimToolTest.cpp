// velsim.exe against the library loaded in this process: answers and exit codes.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <vector>

#include "contract/PanelIids.h"
#include "contract/TqDvManager.h"
#include "simulator/model/CommandParser.h"
#include "tests/simulator/SimulatorLibrary.h"

namespace {

std::wstring Widen(const char* s) {
    std::wstring w;
    for (; *s; ++s) w += *s == '/' ? L'\\' : wchar_t(static_cast<unsigned char>(*s));
    return w;
}

std::wstring PipeName() { return L"VelPanelSimTool-" + std::to_wstring(GetCurrentProcessId()); }

HMODULE Library() {
    static const HMODULE module = LoadSimulatorLibrary(VEL_SIM_DLL_PATH, PipeName());
    return module;
}

struct Outcome {
    DWORD exitCode = 0xFFFFFFFF;
    std::string out;
};

// Runs velsim with the arguments and collects what it prints.
Outcome RunVelsim(const std::wstring& args) {
    Outcome o;
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &sa, 0)) return o;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = writeEnd;
    si.hStdError = writeEnd;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    std::wstring exe = Widen(VELSIM_EXE_PATH);
    if (GetFileAttributesW(exe.c_str()) == INVALID_FILE_ATTRIBUTES) exe = L"Z:" + exe;
    std::wstring cmd = L"\"" + exe + L"\" " + args;
    PROCESS_INFORMATION pi{};
    const BOOL started =
        CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi);
    CloseHandle(writeEnd);
    if (started) {
        char buf[512];
        DWORD n = 0;
        while (ReadFile(readEnd, buf, sizeof buf, &n, nullptr) && n > 0) o.out.append(buf, n);
        WaitForSingleObject(pi.hProcess, INFINITE);
        GetExitCodeProcess(pi.hProcess, &o.exitCode);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
    CloseHandle(readEnd);
    return o;
}

class VelsimTool : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(Library(), nullptr);
        m_manager = NewSimulatorManager(Library());  // keeps the control channel served
        ASSERT_NE(m_manager, nullptr);
    }
    void TearDown() override {
        if (m_manager) m_manager->Release();
    }
    ITqDeviceManager* m_manager = nullptr;
};

TEST_F(VelsimTool, AnswersAndExitCodes) {
    struct {
        std::wstring args;
        DWORD code;
        const char* prefix;
    } cases[] = {
        {L"--pipe \\\\.\\pipe\\" + PipeName() + L" tap jog F1", 0, "ok"},
        {L"--pipe \\\\.\\pipe\\" + PipeName() + L" press jog Z9", 1, "error: "},
        {L"--pipe \\\\.\\pipe\\" + PipeName() + L" status audio", 0, "ok | audio: connected"},
        {L"--pipe \\\\.\\pipe\\NoSimulatorHere status", 2, "error: no simulated panels"},
        {L"", 2, "usage"},
        {L"--pipe \\\\.\\pipe\\NoSimulatorHere help", 0, "usage"},
        {L"--pipe \\\\.\\pipe\\" + PipeName() + L" help me", 1, "error: usage: help"},
    };
    for (const auto& c : cases) {
        const Outcome o = RunVelsim(c.args);
        EXPECT_EQ(o.exitCode, c.code) << o.out;
        EXPECT_EQ(o.out.compare(0, std::strlen(c.prefix), c.prefix), 0) << o.out;
    }
}

// Help needs no simulator: every command of the parser's list, however asked.
TEST_F(VelsimTool, HelpListsEveryCommandWithNoSimulator) {
    for (const wchar_t* args : {L"help", L"--help", L"-h", L"--pipe \\\\.\\pipe\\NoSimulatorHere -h"}) {
        const Outcome o = RunVelsim(args);
        EXPECT_EQ(o.exitCode, 0u) << o.out;
        for (const std::string& line : CommandParser::Help())
            EXPECT_NE(o.out.find(line + "\r\n"), std::string::npos) << line;
    }
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t from = 0, end; (end = text.find("\r\n", from)) != std::string::npos; from = end + 2)
        lines.push_back(text.substr(from, end - from));
    return lines;
}

TEST_F(VelsimTool, StatusPrintsOneLinePerPanel) {
    const std::wstring pipe = L"--pipe \\\\.\\pipe\\" + PipeName();
    ASSERT_EQ(RunVelsim(pipe + L" reset").exitCode, 0u);
    const char* const want[] = {"ok | jog: connected", "   | audio: connected", "   | trackball: connected",
                                "   | mediabar: connected"};
    const Outcome o = RunVelsim(pipe + L" status");
    EXPECT_EQ(o.exitCode, 0u) << o.out;
    const std::vector<std::string> lines = Lines(o.out);
    ASSERT_EQ(lines.size(), std::size(want)) << o.out;
    for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i].rfind(want[i], 0), 0u) << lines[i];
}

TEST_F(VelsimTool, ScriptFileIsPlayedByTheLibrary) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    const std::wstring path = std::wstring(dir) + L"velsim-script-" + std::to_wstring(GetCurrentProcessId()) + L".txt";
    const std::string text = "firmware trackball 7 abc\n";
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n = 0;
    WriteFile(f, text.data(), DWORD(text.size()), &n, nullptr);
    CloseHandle(f);
    const Outcome o = RunVelsim(L"--pipe \\\\.\\pipe\\" + PipeName() + L" --script \"" + path + L"\"");
    EXPECT_EQ(o.exitCode, 0u) << o.out;
    void* p = nullptr;
    ASSERT_EQ(m_manager->GetInterface(&IID_TqTrackballEvents, &p), 0);
    auto* events = static_cast<ITqPanelEvents*>(p);
    PanelVersionInfo info{};
    for (int i = 0; i < 200 && info.bytes[11] != 7; ++i) {
        Sleep(10);
        events->GetVersionInfo(&info);
    }
    EXPECT_EQ(info.bytes[11], 7);
    EXPECT_EQ(info.bytes[10] * 256 + info.bytes[9] * 16 + info.bytes[8], 0xABC);
    events->Release();
    RunVelsim(L"--pipe \\\\.\\pipe\\" + PipeName() + L" reset");
    DeleteFileW(path.c_str());
}

// Counts the reports that reach it.
struct CountingSink : ITqEventSink {
    std::atomic<int> reports{0};
    TqStatus OnPanelReport(const GUID*, const PanelChanges*, const PanelStatus*) override { return ++reports, 0; }
    TqStatus OnPanelConnection(const GUID*, std::int32_t) override { return 0; }
    TqStatus OnPanelProgress(std::int32_t, std::int32_t) override { return 0; }
};

// A recording plays up to its first bad line, which the error names; the
// timeline (in full, as its reports carry no change to tell) shows the same part.
TEST_F(VelsimTool, RecordingsPlayUpToTheirFirstBadLine) {
    const std::string report = " t2 report S1 jog " + std::string(56, '0') + " " + std::string(62, '0') + "01\n";
    const std::string head = "tqrec 1\n# test\n";
    struct Case {
        const char* name;
        std::string text;
        DWORD code;
        int played;
        const char* says;
    } cases[] = {
        {"whole", head + "1.0" + report + "2.0" + report + "3.0" + report, 0, 3, "ok replayed 3 events"},
        {"truncated", head + "1.0" + report + "2.0" + report + "3.0 t2 report S1 jog 00", 1, 2, "line 5: truncated"},
        {"corrupt", head + "1.0" + report + "2.0 t2 report S1 jog zz " + std::string(64, '0') + "\n3.0" + report, 1, 1,
         "line 4: the changes"},
        {"not a recording", "press jog F1\n", 1, 0, "line 1: not a recording"},
    };
    void* p = nullptr;
    ASSERT_EQ(m_manager->GetInterface(&IID_TqJogShuttleEvents, &p), 0);
    auto* events = static_cast<ITqPanelEvents*>(p);
    CountingSink sink;
    ASSERT_EQ(events->Advise(&sink), 0);
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    const std::wstring path = std::wstring(dir) + L"velsim-rec-" + std::to_wstring(GetCurrentProcessId()) + L".tqrec";
    for (const Case& c : cases) {
        HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD n = 0;
        WriteFile(f, c.text.data(), DWORD(c.text.size()), &n, nullptr);
        CloseHandle(f);
        const int before = sink.reports.load();
        const Outcome o =
            RunVelsim(L"--pipe \\\\.\\pipe\\" + PipeName() + L" play-recording \"" + path + L"\" --speed 100");
        EXPECT_EQ(o.exitCode, c.code) << c.name << ": " << o.out;
        EXPECT_NE(o.out.find(c.says), std::string::npos) << c.name << ": " << o.out;
        for (int i = 0; i < 200 && sink.reports.load() - before < c.played; ++i) Sleep(10);
        Sleep(50);
        EXPECT_EQ(sink.reports.load() - before, c.played) << c.name;
        const Outcome shown = RunVelsim(L"show-recording \"" + path + L"\" --raw");
        EXPECT_EQ(shown.exitCode, c.code) << c.name << ": " << shown.out;
        std::size_t lines = 0;
        for (std::size_t at = shown.out.find("jog report"); at != std::string::npos;
             at = shown.out.find("jog report", at + 1))
            ++lines;
        EXPECT_EQ(lines, std::size_t(c.played)) << c.name << ": " << shown.out;
    }
    DeleteFileW(path.c_str());
    events->Unadvise();
    events->Release();
}

}  // namespace
