// velsim.exe against the library loaded in this process: answers and exit codes.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "SimulatorLibrary.h"
#include "device/PanelIids.h"
#include "device/TqDvManager.h"

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
        manager_ = NewSimulatorManager(Library());  // keeps the control channel served
        ASSERT_NE(manager_, nullptr);
    }
    void TearDown() override {
        if (manager_) manager_->Release();
    }
    ITqDeviceManager* manager_ = nullptr;
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
    };
    for (const auto& c : cases) {
        const Outcome o = RunVelsim(c.args);
        EXPECT_EQ(o.exitCode, c.code) << o.out;
        EXPECT_EQ(o.out.compare(0, std::strlen(c.prefix), c.prefix), 0) << o.out;
    }
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
    ASSERT_EQ(manager_->GetInterface(&IID_TqTrackballEvents, &p), 0);
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

}  // namespace
