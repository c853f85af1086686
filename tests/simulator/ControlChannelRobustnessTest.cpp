// The control channel through the real named pipe, against what a careless or
// hostile client sends: overlong and binary lines, several lines at once, and
// clients that leave half-way. Each line given gets its answer, and the program
// that hosts the library (this test) keeps running and answering.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "tests/simulator/SimulatorLibrary.h"
#include "tests/support/ControlChannel.h"
#include "tests/support/ControlConnection.h"

namespace {

std::wstring PipeName() { return L"\\\\.\\pipe\\VelPanelSimChannel-" + std::to_wstring(::GetCurrentProcessId()); }

std::string Control(const std::string& line) { return SendControlLine(PipeName(), line); }

bool StartsWith(const std::string& s, const std::string& prefix) { return s.compare(0, prefix.size(), prefix) == 0; }

// Bytes of every value but "\n", so that they stay one line.
std::string RandomBytes(std::mt19937& rng, std::size_t size) {
    std::string bytes(size, '\0');
    for (char& ch : bytes) {
        ch = char(rng() & 0xff);
        if (ch == '\n') ch = '\0';
    }
    return bytes;
}

class ControlChannelRobustness : public ::testing::Test {
protected:
    void SetUp() override {
        static const HMODULE library =
            LoadSimulatorLibrary(VEL_SIM_DLL_PATH, L"VelPanelSimChannel-" + std::to_wstring(::GetCurrentProcessId()));
        ASSERT_NE(library, nullptr) << "cannot load " << VEL_SIM_DLL_PATH;
        m_manager = NewSimulatorManager(library);
        ASSERT_NE(m_manager, nullptr);
        ASSERT_EQ(Control("reset"), "ok");
    }
    void TearDown() override {
        if (m_manager) m_manager->Release();
    }

    ITqDeviceManager* m_manager = nullptr;
};

TEST_F(ControlChannelRobustness, JunkAndLinesAtTheLimitGetTheirAnswerAndTheNextCommandStillRuns) {
    std::mt19937 rng(1208);
    const struct {
        const char* what;
        std::string line;
        const char* answer;  // how the answer starts
    } cases[] = {
        {"1 MiB of one letter", std::string(1 << 20, 'x'), "error: line too long"},
        {"1 MiB of random bytes", RandomBytes(rng, 1 << 20), "error: line too long"},
        {"NUL inside", std::string("status\0jog", 10), "error: control character in line"},
        {"only NUL", std::string(1, '\0'), "error: control character in line"},
        {"0xFF bytes", "\xff\xff\xff", "error: unknown command"},
        {"UTF-8 letters", "pr\xc3\xa9ss jog F1", "error: unknown command"},
        {"carriage return inside", "jog\r5", "error: control character in line"},
        {"carriage returns only", "\r\r", "error: "},
        {"terminal escape", "\x1b[2Jstatus", "error: control character in line"},
        {"delete", "status\x7f", "error: control character in line"},
        {"nothing", "", "error: empty command"},
        {"blanks", " \t ", "error: empty command"},
        {"the longest line, with CRLF", "status" + std::string(1024 - 6, ' ') + "\r", "ok "},
        {"one byte longer", "status" + std::string(1024 - 5, ' '), "error: line too long"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_TRUE(StartsWith(Control(c.line), c.answer)) << Control(c.line);
        EXPECT_TRUE(StartsWith(Control("status jog"), "ok | jog: connected"));
    }
    EXPECT_EQ(Control("tap jog F1"), "ok");
}

TEST_F(ControlChannelRobustness, OverlongLineIsAnsweredBeforeItsEndAndItsRestIsDropped) {
    ControlConnection connection(PipeName());
    ASSERT_TRUE(connection.IsOpen());
    // A client that never ends its line still hears why nothing happens.
    ASSERT_TRUE(connection.Write(std::string(1 << 20, 'x')));
    std::string answer;
    ASSERT_TRUE(connection.ReadLine(answer));
    EXPECT_EQ(answer, "error: line too long");
    // The rest of that line up to its newline is thrown away, unanswered.
    ASSERT_TRUE(connection.Write(std::string(5000, 'y') + " status\nstatus jog\n"));
    ASSERT_TRUE(connection.ReadLine(answer));
    EXPECT_TRUE(StartsWith(answer, "ok | jog: connected")) << answer;
}

TEST_F(ControlChannelRobustness, SeveralLinesInOneWriteAreAnsweredOneEachInOrder) {
    ControlConnection connection(PipeName());
    ASSERT_TRUE(connection.IsOpen());
    ASSERT_TRUE(connection.Write(std::string(3000, 'y') + "\nstatus jog\n" + std::string("\0\xff\r\n", 4) +
                                 "bogus\r\n\nunplug audio\r\nstatus audio\n"));
    const char* const expected[] = {
        "error: line too long",           "ok | jog: connected",  "error: control character in line",
        "error: unknown command 'bogus'", "error: empty command", "ok",
        "ok | audio: unplugged"};
    for (const char* want : expected) {
        std::string answer;
        ASSERT_TRUE(connection.ReadLine(answer)) << want;
        EXPECT_TRUE(StartsWith(answer, want)) << answer;
    }
}

TEST_F(ControlChannelRobustness, ClientsThatLeaveHalfWayDoNotHoldTheChannelOrLeaveTextBehind) {
    { ControlConnection silent(PipeName()); }
    {
        ControlConnection halfLine(PipeName());
        ASSERT_TRUE(halfLine.Write("press jog"));
    }
    // A line never spans two clients: the next one's text stands alone.
    EXPECT_TRUE(StartsWith(Control(" F1"), "error: unknown command 'F1'"));
    {
        ControlConnection noNewline(PipeName());
        ASSERT_TRUE(noNewline.Write(std::string(1 << 20, 'z')));
    }
    {
        // More answers than the pipe holds, never read: the library must give
        // up on them when the client goes, not wait for ever.
        ControlConnection deaf(PipeName());
        for (int i = 0; i < 300; ++i) ASSERT_TRUE(deaf.Write("bogus\n"));
    }
    std::mt19937 rng(77);
    for (int client = 0; client < 100; ++client) {
        SCOPED_TRACE(client);
        const std::string line = RandomBytes(rng, std::size_t(rng() % 64));
        ASSERT_TRUE(StartsWith(Control(line), "error: "));
    }
    EXPECT_TRUE(StartsWith(Control("status jog"), "ok | jog: connected"));
    EXPECT_EQ(Control("tap jog F1"), "ok");
}

}  // namespace
