// The control protocol: good lines reach the panels, bad ones are refused with
// a reason and leave every panel as it was; scripts are checked whole and run
// on the simulator's clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "simulator/model/CommandParser.h"
#include "simulator/model/ControlProtocol.h"
#include "simulator/model/DemoScript.h"
#include "simulator/model/LineBuffer.h"
#include "tests/native/simulator/SimTestSupport.h"

namespace {

struct ProtocolFixture : SimFixture {
    std::map<std::string, std::string> files;
    ControlProtocol protocol{sim, [this](const std::string& path, std::string& text, std::string& error) {
                                 auto it = files.find(path);
                                 if (it == files.end()) {
                                     error = "no such file";
                                     return false;
                                 }
                                 text = it->second;
                                 return true;
                             }};
    std::string Snapshot() {
        std::string s;
        for (int p = 0; p < 4; ++p) s += sim.Describe(p) + "\n";
        return s;
    }
    void Run(std::int64_t ms) {
        for (std::int64_t t = 0; t < ms; t += 10) {
            clock.Advance(10);
            protocol.Tick();
            sim.Tick();
        }
    }
};

class BadLine : public ::testing::TestWithParam<std::string> {};

TEST_P(BadLine, IsRefusedWithAReasonAndChangesNothing) {
    ProtocolFixture f;
    const std::string before = f.Snapshot();
    const std::string answer = f.protocol.Execute(GetParam());
    EXPECT_EQ(answer.compare(0, 7, "error: "), 0) << answer;
    EXPECT_GT(answer.size(), 8u);
    EXPECT_EQ(f.Snapshot(), before);
    f.Run(500);
    EXPECT_TRUE(f.Take().empty()) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(
    Lines, BadLine,
    ::testing::Values("", "   ", "# only a comment", "frobnicate", "press", "press jog", "press jog F1 extra",
                      "press mixer F1", "press jog F7", "press audio F1", "tap trackball G", "press mediabar C", "jog",
                      "jog 32768", "jog -32768", "jog 1.5", "jog 12abc", "jog 0x10", "jog --3", "jog +", "knob 0 5",
                      "knob 9 5", "knob 1 10001", "knob x 1", "ball 1", "ball 10001 0", "ring 99999999999999999999",
                      "fader 0 10", "fader 9 10", "fader master 256", "fader 1 -1", "fader main 3", "plug", "plug all",
                      "unplug jog now", "powercycle 7", "firmware jog 1", "firmware jog 256 1", "firmware jog 1 1000",
                      "firmware jog 1 xyz", "driver jog 1 2", "driver jog 1 65536 0", "driver jog 1 1 256", "fault",
                      "fault melt jog on", "fault versioninfo jog maybe", "fault getinterface jog sideways on",
                      "fault getinterface nowhere on", "fault unknown-iid moon", "storm jog 0 1", "storm jog 5001 1",
                      "storm jog 10 0", "storm jog 10 121", "fault connection-state jog",
                      "fault connection-state jog 2147483648", "fault connection-state jog 99999999999",
                      "fault connection-state moon 1", "fault noisy jog 1 on", "fault noisy mediabar master on",
                      "fault noisy audio 9 on", "fault motor 9 stall", "fault motor 1 wobbly", "fault motor 1",
                      "fault deadlamp jog F1 on", "fault deadlamp audio F1 on", "fault deadlamp trackball OVER on",
                      "fault shortlamps audio MUTE mute on", "fault shortlamps mediabar A on", "wait 10", "wait -1",
                      "play", "play /no/such/script", "demo now", "stop it", "status jog extra", "help me",
                      "press jog F1\x01", "tap\x1b[2J jog F1", "jog\r5", "status\x7f", "report", "report jog",
                      "report jog 00 00", "report moon " + std::string(56, '0') + " " + std::string(64, '0'),
                      "report jog " + std::string(54, '0') + " " + std::string(64, '0'),
                      "report jog " + std::string(56, '0') + " " + std::string(66, '0'),
                      "report jog " + std::string(55, '0') + "g " + std::string(64, '0'),
                      "report jog " + std::string(56, '0') + " " + std::string(64, '0') + " 00"));

TEST(ProtocolLines, UnplugOfAnUnpluggedPanelIsAnErrorAndStaysUnplugged) {
    ProtocolFixture f;
    EXPECT_EQ(f.protocol.Execute("unplug audio"), "ok");
    f.Take();
    EXPECT_EQ(f.protocol.Execute("unplug audio").compare(0, 6, "error:"), 0);
    EXPECT_EQ(f.protocol.Execute("press audio func").compare(0, 6, "error:"), 0);
    EXPECT_TRUE(f.Take().empty());
}

TEST(ProtocolLines, TooLongIsRefused) {
    ProtocolFixture f;
    EXPECT_EQ(f.protocol.Execute("status " + std::string(2000, 'x')).compare(0, 6, "error:"), 0);
}

TEST(ProtocolLines, GoodLinesReachTheirPanels) {
    struct {
        const char* line;
        int panel;
    } cases[] = {{"press jog f1", 0},
                 {"TAP Audio 1/5_l", 1},
                 {"ball -3 4", 2},
                 {"ring 9", 2},
                 {"knob 8 -256", 3},
                 {"fader master 3", 1},
                 {"press trackball enter  # with comment", 2}};
    for (auto c : cases) {
        ProtocolFixture f;
        EXPECT_EQ(f.protocol.Execute(c.line), "ok") << c.line;
        auto r = f.Reports(c.panel);
        EXPECT_EQ(r.size(), 1u) << c.line;
    }
}

TEST(ProtocolLines, KnobNumbersAreTheLabelsOneToEight) {
    ProtocolFixture f;
    ASSERT_EQ(f.protocol.Execute("knob 1 3"), "ok");
    auto r = f.Reports(3);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_NE(r[0].changes.bytes[1], 0);
    EXPECT_EQ(r[0].status.bytes[1], 3);
}

TEST(ProtocolLines, VersionsFaultsStatusAndHelp) {
    ProtocolFixture f;
    EXPECT_EQ(f.protocol.Execute("firmware trackball 4 1fe"), "ok");
    EXPECT_EQ(f.protocol.Execute("driver trackball 2 1000 9"), "ok");
    EXPECT_NE(f.protocol.Execute("status trackball").find("fw 4.1fe drv 2.1000.9"), std::string::npos);
    EXPECT_EQ(f.protocol.Execute("fault getinterface audio events on"), "ok");
    EXPECT_TRUE(f.sim.InterfaceFails(1, false));
    EXPECT_FALSE(f.sim.InterfaceFails(1, true));
    EXPECT_EQ(f.protocol.Execute("fault getinterface audio off"), "ok");
    EXPECT_FALSE(f.sim.InterfaceFails(1, false));
    EXPECT_EQ(f.protocol.Execute("fault unknown-iid"), "ok");
    auto e = f.Take();
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0].kind, SimEvent::kUnknownIid);
    EXPECT_EQ(e[0].panel, -1);
    EXPECT_EQ(f.protocol.Execute("help").compare(0, 3, "ok "), 0);
    const std::string before = f.Snapshot();
    EXPECT_EQ(f.protocol.Execute("fault connection-state audio -2147483648"), "ok");
    EXPECT_EQ(f.protocol.Execute("fault connection-state trackball 2"), "ok");
    e = f.Take();
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].kind, SimEvent::kConnection);
    EXPECT_EQ(e[0].panel, 1);
    EXPECT_EQ(e[0].state, INT32_MIN);
    EXPECT_EQ(e[1].state, 2);
    EXPECT_EQ(f.Snapshot(), before);
}

// A replayed report reaches the program byte for byte and leaves the panel as it was.
TEST(ProtocolLines, ReportDeliversExactlyTheBytesGiven) {
    ProtocolFixture f;
    const std::string before = f.Snapshot();
    std::string changes, status;
    for (int i = 0; i < 28; ++i) changes += "0123456789abcdefABCDEF"[i % 22], changes += "f0a5"[i % 4];
    for (int i = 0; i < 32; ++i) status += "c3"[i % 2], status += "0123456789abcdef"[i % 16];
    EXPECT_EQ(f.protocol.Execute("report Trackball " + changes + " " + status), "ok");
    const auto e = f.Take();
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0].kind, SimEvent::kReport);
    EXPECT_EQ(e[0].panel, 2);
    for (int i = 0; i < 28; ++i)
        EXPECT_EQ(e[0].changes.bytes[i], std::stoi(changes.substr(2 * i, 2), nullptr, 16)) << i;
    for (int i = 0; i < 32; ++i) EXPECT_EQ(e[0].status.bytes[i], std::stoi(status.substr(2 * i, 2), nullptr, 16)) << i;
    EXPECT_EQ(f.Snapshot(), before);
}

std::vector<std::string> AnswerLines(const std::string& answer) {
    std::vector<std::string> lines;
    const std::string lineBreak = ControlProtocol::kAnswerLineBreak;
    for (std::size_t from = 0;;) {
        const std::size_t at = answer.find(lineBreak, from);
        lines.push_back(answer.substr(from, at - from));
        if (at == std::string::npos) return lines;
        from = at + lineBreak.size();
    }
}

// Every kind of command parses to its own verb and has its line in the help.
TEST(CommandTable, EveryVerbParsesAndIsListed) {
    const struct {
        std::string line;
        ControlCommand::Verb verb;
        const char* listedAs;
    } cases[] = {
        {"press jog F1", ControlCommand::kPress, "press <panel> <key>"},
        {"release jog F1", ControlCommand::kRelease, "release "},
        {"tap mediabar b", ControlCommand::kTap, "tap "},
        {"jog -5", ControlCommand::kJog, "jog "},
        {"knob 8 3", ControlCommand::kKnob, "knob "},
        {"ball 1 -1", ControlCommand::kBall, "ball "},
        {"ring 2", ControlCommand::kRing, "ring "},
        {"fader master 9", ControlCommand::kFader, "fader "},
        {"plug audio", ControlCommand::kPlug, "plug "},
        {"unplug audio", ControlCommand::kUnplug, "unplug "},
        {"powercycle audio", ControlCommand::kPowerCycle, "powercycle "},
        {"firmware jog 1 fff", ControlCommand::kFirmware, "firmware "},
        {"driver jog 1 2 3", ControlCommand::kDriver, "driver "},
        {"fault versioninfo jog on", ControlCommand::kFault, "fault versioninfo "},
        {"fault getinterface jog both off", ControlCommand::kFault, "fault getinterface "},
        {"fault unplug-in-download jog on", ControlCommand::kFault, "fault unplug-in-download "},
        {"fault noisy audio master on", ControlCommand::kFault, "fault noisy "},
        {"storm jog 1 1", ControlCommand::kStorm, "storm "},
        {"FAULT Unknown-IID", ControlCommand::kUnknownIid, "fault unknown-iid "},
        {"fault connection-state jog -1", ControlCommand::kConnectionState, "fault connection-state "},
        {"report jog " + std::string(56, '0') + " " + std::string(64, '0'), ControlCommand::kReport, "report "},
        {"wait 5", ControlCommand::kWait, "wait "},
        {"play my script.txt", ControlCommand::kPlay, "play "},
        {"demo", ControlCommand::kDemo, "demo "},
        {"stop", ControlCommand::kStop, "stop "},
        {"reset", ControlCommand::kReset, "reset "},
        {"status audio", ControlCommand::kStatus, "status "},
        {"help", ControlCommand::kHelp, "help "},
    };
    const std::vector<std::string> help = CommandParser::Help();
    std::set<int> verbs;
    for (const auto& c : cases) {
        ControlCommand command;
        std::string error;
        ASSERT_TRUE(CommandParser::Parse(c.line, command, error)) << c.line << ": " << error;
        EXPECT_EQ(command.verb, c.verb) << c.line;
        verbs.insert(command.verb);
        const std::string listed = std::string("  ") + c.listedAs;
        EXPECT_EQ(std::count_if(help.begin(), help.end(),
                                [&](const std::string& l) { return l.compare(0, listed.size(), listed) == 0; }),
                  1)
            << c.listedAs;
    }
    EXPECT_EQ(verbs.size(), std::size_t(ControlCommand::kHelp)) << "a verb without a case here";
}

// Misspellings and commands that are not the channel's: the answer says what was meant.
TEST(CommandTable, RefusalsNameWhatWasMeant) {
    const struct {
        const char* line;
        const char* says;
    } cases[] = {
        {"pres jog F1", "unknown command 'pres' (did you mean press?"},
        {"STAUTS", "unknown command 'STAUTS' (did you mean status?"},
        {"powercylce jog", "(did you mean powercycle?"},
        {"frobnicate", "unknown command 'frobnicate' (try help)"},
        {"xy", "unknown command 'xy' (try help)"},
        {"fault melt jog on", "unknown fault 'melt' ("},
        {"fault", "usage: fault "},
        {"tap jog", "usage: tap <panel> <key>"},
        {"play-recording x.tqrec", "velsim play-recording <file>"},
        {"show-recording", "velsim show-recording <file>"},
    };
    for (const auto& c : cases) {
        ControlCommand command;
        std::string error;
        EXPECT_FALSE(CommandParser::Parse(c.line, command, error)) << c.line;
        EXPECT_NE(error.find(c.says), std::string::npos) << c.line << ": " << error;
    }
}

// Several lines in one answer line: help gives the list line for line, status
// one line per panel and one for a running script.
TEST(CommandTable, HelpAndStatusAnswersSplitIntoTheirLines) {
    ProtocolFixture f;
    std::vector<std::string> help{"ok"};
    for (const std::string& line : CommandParser::Help()) help.push_back(line);
    EXPECT_EQ(AnswerLines(f.protocol.Execute("help")), help);
    f.files["s.txt"] = "wait 100\npress jog F1\n";
    ASSERT_EQ(f.protocol.Execute("play s.txt"), "ok");
    const char* const status[] = {"ok",
                                  "jog: connected",
                                  "audio: connected",
                                  "trackball: connected",
                                  "mediabar: connected",
                                  "script s.txt: 1 steps to go"};
    const std::vector<std::string> lines = AnswerLines(f.protocol.Execute("status"));
    ASSERT_EQ(lines.size(), std::size(status));
    for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i].rfind(status[i], 0), 0u) << lines[i];
}

TEST(Scripts, RunOnTheClockWithTheirWaits) {
    ProtocolFixture f;
    f.files["s.txt"] = "press jog F1\nwait 100\nrelease jog F1\r\n\n# done\nwait 50\nknob 2 1";
    ASSERT_EQ(f.protocol.Execute("play s.txt"), "ok");
    f.protocol.Tick();
    EXPECT_EQ(f.Reports(0).size(), 1u);
    f.Run(90);
    EXPECT_TRUE(f.Take().empty());
    f.Run(20);
    EXPECT_EQ(f.Reports(0).size(), 1u);
    f.Run(60);
    EXPECT_EQ(f.Reports(3).size(), 1u);
    EXPECT_FALSE(f.protocol.ScriptRunning());
}

TEST(Scripts, ABadLineRefusesTheWholeScript) {
    ProtocolFixture f;
    f.files["bad.txt"] = "press jog F1\nwait 10\npress jog Z9\n";
    const std::string answer = f.protocol.Execute("play bad.txt");
    EXPECT_NE(answer.find("line 3"), std::string::npos) << answer;
    f.Run(100);
    EXPECT_TRUE(f.Take().empty());
}

TEST(Scripts, CannotNestOrStop) {
    ProtocolFixture f;
    f.files["n.txt"] = "demo\n";
    EXPECT_EQ(f.protocol.Execute("play n.txt").compare(0, 6, "error:"), 0);
    f.files["n.txt"] = "play n.txt\n";
    EXPECT_EQ(f.protocol.Execute("play n.txt").compare(0, 6, "error:"), 0);
}

TEST(Scripts, StopEndsARunningScript) {
    ProtocolFixture f;
    f.files["s.txt"] = "wait 100\npress jog F1\n";
    ASSERT_EQ(f.protocol.Execute("play s.txt"), "ok");
    EXPECT_TRUE(f.protocol.ScriptRunning());
    EXPECT_EQ(f.protocol.Execute("stop"), "ok");
    f.Run(200);
    EXPECT_TRUE(f.Take().empty());
}

TEST(Scripts, FailingStepsAreSkippedAndRemembered) {
    ProtocolFixture f;
    f.files["s.txt"] = "unplug mediabar\nknob 1 5\npress jog F2\n";
    ASSERT_EQ(f.protocol.Execute("play s.txt"), "ok");
    f.Run(10);
    EXPECT_NE(f.protocol.LastScriptError().find("line 2"), std::string::npos);
    bool f2 = false;
    for (const SimEvent& e : f.Take()) f2 |= e.kind == SimEvent::kReport && e.panel == 0;
    EXPECT_TRUE(f2);
}

TEST(Scripts, DemoIsValidAndWorksEveryPanel) {
    ProtocolFixture f;
    ASSERT_EQ(f.protocol.Execute("demo"), "ok");
    // Let an open window's part happen: keys B, C, D would set the dial mode.
    std::uint8_t jogBlock[kDialModeBlockSize] = {0x00, 0x10, 0x10, 0x01};
    f.sim.SetDialMode(jogBlock);
    int reports[4] = {};
    for (int t = 0; t < 120000 && f.protocol.ScriptRunning(); t += 10) {
        f.Run(10);
        for (const SimEvent& e : f.Take())
            if (e.kind == SimEvent::kReport) ++reports[e.panel];
    }
    EXPECT_FALSE(f.protocol.ScriptRunning());
    EXPECT_EQ(f.protocol.LastScriptError(), "");
    for (int p = 0; p < 4; ++p) EXPECT_GT(reports[p], 10) << p;
}

TEST(LineBufferTest, SplitsLinesAcrossChunksAndDropsCarriageReturns) {
    LineBuffer lb(16);
    std::vector<LineBuffer::Line> out;
    const std::string a = "tap jog F1\r\nsta", b = "tus\n\n";
    lb.Feed(a.data(), a.size(), out);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].text, "tap jog F1");
    lb.Feed(b.data(), b.size(), out);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[1].text, "status");
    EXPECT_EQ(out[2].text, "");
}

TEST(LineBufferTest, TheCarriageReturnOfALineOfTheFullLengthDoesNotCount) {
    LineBuffer lb(4);
    std::vector<LineBuffer::Line> out;
    const std::string text = "stop\r\nstop\rx\n";
    lb.Feed(text.data(), text.size(), out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_FALSE(out[0].overlong);
    EXPECT_EQ(out[0].text, "stop");
    EXPECT_TRUE(out[1].overlong);
}

TEST(LineBufferTest, OverlongLineComesOutOnceAndTheNextLineIsIntact) {
    LineBuffer lb(8);
    std::vector<LineBuffer::Line> out;
    const std::string junk(100, 'x');
    lb.Feed(junk.data(), junk.size(), out);
    lb.Feed(junk.data(), junk.size(), out);
    const std::string rest = "\nstop\n";
    lb.Feed(rest.data(), rest.size(), out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_TRUE(out[0].overlong);
    EXPECT_FALSE(out[1].overlong);
    EXPECT_EQ(out[1].text, "stop");
}

}  // namespace
