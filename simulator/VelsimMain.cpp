// velsim: remote control of the simulated panels inside a running program
// that uses the stand-in TqDvManager.dll (VelPanel, a test).
//
//   velsim COMMAND...        send one command, e.g.  velsim tap jog F1
//   velsim --script FILE     play a script file (the library reads it)
//   velsim --demo            the built-in demo, every panel in turn
//   velsim -                 commands from standard input, one a line
//   velsim --pipe NAME ...   another channel than this session's
//   velsim play-recording FILE [--speed N]   a recorder's recording, replayed into the panels
//   velsim show-recording FILE [--raw]       the recording as a readable timeline (--raw: every line)
//   velsim help | --help | -h                every command, also with no simulator running
// Prints each answer; exit code 0 when every answer was "ok", 1 when one was
// an error, 2 when no simulator could be reached.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <iostream>
#include <string>
#include <vector>

#include "simulator/ControlPipe.h"
#include "simulator/RecordingPlayer.h"
#include "simulator/Utf8Text.h"
#include "simulator/model/CommandParser.h"
#include "simulator/model/ControlProtocol.h"

namespace {
HANDLE Connect(const std::wstring& name) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        HANDLE pipe = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (pipe != INVALID_HANDLE_VALUE) return pipe;
        const DWORD err = GetLastError();
        if (err == ERROR_PIPE_BUSY)
            WaitNamedPipeW(name.c_str(), 500);  // another client is being served
        else
            return INVALID_HANDLE_VALUE;
    }
    return INVALID_HANDLE_VALUE;
}

// Sends one line, returns the answer line; false when the channel broke.
bool Ask(HANDLE pipe, const std::string& line, std::string& answer) {
    const std::string out = line + "\n";
    DWORD put = 0;
    if (!WriteFile(pipe, out.data(), DWORD(out.size()), &put, nullptr) || put != out.size()) return false;
    answer.clear();
    char ch = 0;
    DWORD got = 0;
    while (ReadFile(pipe, &ch, 1, &got, nullptr) && got == 1) {
        if (ch == '\n') return true;
        answer += ch;
    }
    return false;
}

const char kUsage[] =
    "usage: velsim [--pipe NAME] COMMAND...\n"
    "       velsim [--pipe NAME] --script FILE | --demo | -\n"
    "       velsim [--pipe NAME] play-recording FILE [--speed N]\n"
    "       velsim show-recording FILE [--raw]\n"
    "       velsim help | --help | -h\n";

int Usage() {
    std::fprintf(stderr, "%scommands: velsim help\n", kUsage);
    return 2;
}

// The parser's own list, so that it needs no simulator and never lists a
// command the simulator would refuse.
int Help() {
    std::printf("%s\ncommands:\n", kUsage);
    for (const std::string& line : CommandParser::Help()) std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    return 0;
}

// An answer of several lines comes as one; "ok | jog: ..." stays the first
// line, and the others go under it with their bars lined up.
void PrintAnswer(const std::string& answer) {
    const std::string lineBreak = ControlProtocol::kAnswerLineBreak;
    const std::string underOk = "\n  " + lineBreak;
    std::string text = answer;
    if (text.compare(0, 2, "ok") == 0) {
        std::size_t at = text.find(lineBreak);
        if (at != std::string::npos) at += lineBreak.size();
        while ((at = text.find(lineBreak, at)) != std::string::npos) {
            text.replace(at, lineBreak.size(), underOk);
            at += underOk.size();
        }
    }
    std::printf("%s\n", text.c_str());
}
}  // namespace

int main() {
    int argc = 0;
    LPWSTR* argvW = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argvW) return Usage();
    std::vector<std::wstring> args(argvW + 1, argvW + argc);
    LocalFree(argvW);

    std::wstring pipeName = ControlPipeName();
    if (args.size() >= 2 && args[0] == L"--pipe") {
        pipeName = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty()) return Usage();
    if (args.size() == 1 && (args[0] == L"help" || args[0] == L"--help" || args[0] == L"-h")) return Help();

    if (args[0] == L"show-recording") {
        const bool raw = args.size() == 3 && args[2] == L"--raw";
        return args.size() == 2 || raw ? RecordingPlayer::Show(args[1], raw) : Usage();
    }
    if (args[0] == L"play-recording") {
        double speed = 1;
        if (args.size() == 4 && args[2] == L"--speed") {
            wchar_t* end = nullptr;
            speed = std::wcstod(args[3].c_str(), &end);
            if (!end || *end || !(speed >= 0.01 && speed <= 1000)) {
                std::fprintf(stderr, "velsim: --speed wants a number from 0.01 to 1000\n");
                return 2;
            }
        } else if (args.size() != 2) {
            return Usage();
        }
        HANDLE pipe = INVALID_HANDLE_VALUE;
        const int rc = RecordingPlayer::Play(args[1], speed, [&]() -> RecordingPlayer::Ask {
            pipe = Connect(pipeName);
            if (pipe == INVALID_HANDLE_VALUE) {
                std::fprintf(stderr, "error: no simulated panels are running (nothing serves %s)\n",
                             Utf8(pipeName).c_str());
                return nullptr;
            }
            return [&](const std::string& line, std::string& answer) { return Ask(pipe, line, answer); };
        });
        if (pipe != INVALID_HANDLE_VALUE) CloseHandle(pipe);
        return rc;
    }

    std::vector<std::string> lines;
    if (args[0] == L"--demo" && args.size() == 1) {
        lines.push_back("demo");
    } else if (args[0] == L"--script" && args.size() == 2) {
        // The library opens the file, so it gets a full path.
        wchar_t full[MAX_PATH * 4];
        const DWORD n = GetFullPathNameW(args[1].c_str(), DWORD(sizeof full / sizeof full[0]), full, nullptr);
        if (n == 0 || n >= sizeof full / sizeof full[0]) {
            std::fprintf(stderr, "velsim: bad script path\n");
            return 2;
        }
        lines.push_back("play " + Utf8(full));
    } else if (args[0] == L"-" && args.size() == 1) {
        std::string line;
        while (std::getline(std::cin, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
        }
    } else {
        std::string line;
        for (const auto& a : args) line += (line.empty() ? "" : " ") + Utf8(a);
        lines.push_back(line);
    }

    HANDLE pipe = Connect(pipeName);
    if (pipe == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "error: no simulated panels are running (nothing serves %s)\n", Utf8(pipeName).c_str());
        return 2;
    }
    int rc = 0;
    for (const auto& line : lines) {
        std::string answer;
        if (!Ask(pipe, line, answer)) {
            std::fprintf(stderr, "error: the control channel closed\n");
            CloseHandle(pipe);
            return 2;
        }
        PrintAnswer(answer);
        if (answer.compare(0, 2, "ok") != 0) rc = 1;
    }
    std::fflush(stdout);
    CloseHandle(pipe);
    return rc;
}
