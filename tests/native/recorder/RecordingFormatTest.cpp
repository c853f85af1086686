// The recording's text form as velsim reads it back: what the recorder writes
// parses again; a damaged file stops at the line that is wrong, keeping the
// lines before it; replay injects each panel event once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recorder/format/RecordingFormat.h"
#include "recorder/format/RecordingParser.h"
#include "recorder/format/RecordingTimeline.h"
#include "recorder/format/RecordingWriter.h"
#include "recorder/format/ReplayPlan.h"

namespace {

const std::string kChanges(56, '0');
const std::string kStatus = "01" + std::string(62, '0');

std::string Recording(const std::vector<std::string>& events) {
    std::string text = "tqrec 1\n# made by a test\n";
    for (const auto& e : events) text += e + "\n";
    return text;
}

struct Damaged {
    const char* name;
    std::string text;
    int badLine;       // the line the error names
    std::size_t kept;  // events read before it
    const char* why;   // part of the reason
};

class DamagedRecording : public ::testing::TestWithParam<Damaged> {};

TEST_P(DamagedRecording, StopsAtTheBadLineNamingItAndKeepsWhatCameBefore) {
    const Damaged& d = GetParam();
    std::vector<RecordedEvent> events;
    std::string error;
    EXPECT_FALSE(RecordingParser::Parse(d.text, events, error));
    EXPECT_EQ(error.rfind("line " + std::to_string(d.badLine) + ": ", 0), 0u) << error;
    EXPECT_NE(error.find(d.why), std::string::npos) << error;
    EXPECT_EQ(events.size(), d.kept) << error;
}

const std::string kGood = "1.000 t10 connection S1 jog 1";

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedRecording,
    ::testing::Values(
        Damaged{"Empty", "", 1, 0, "empty"},
        Damaged{"NotARecording", "velsim script\njog 4\n", 1, 0, "not a recording"},
        Damaged{"NewerVersion", "tqrec 2\n" + kGood + "\n", 1, 0, "version 1"},
        Damaged{"CutInTheMiddleOfALine", Recording({kGood}) + "2.000 t10 report S1 jog 0000", 4, 1, "truncated"},
        Damaged{"CutAfterTheVersion", "tqrec 1", 1, 0, "truncated"},
        Damaged{"ShortChanges", Recording({kGood, "2.0 t10 report S1 jog 00 " + kStatus}), 4, 1, "28 bytes"},
        Damaged{"LongStatus", Recording({"2.0 t10 report S1 jog " + kChanges + " " + kStatus + "00"}), 3, 0,
                "32 bytes"},
        Damaged{"NotHex", Recording({"2.0 t10 report S1 jog " + std::string(56, 'g') + " " + kStatus}), 3, 0,
                "28 bytes"},
        Damaged{"MissingStatus", Recording({"2.0 t10 report S1 jog " + kChanges}), 3, 0, "4 fields"},
        Damaged{"UnknownPanel", Recording({"2.0 t10 connection S1 mixer 1"}), 3, 0, "bad panel"},
        Damaged{"BrokenIid", Recording({"2.0 t10 connection S1 {5EC0F00D-0BAD-4C1D-9A11} 1"}), 3, 0, "bad panel"},
        Damaged{"StateTooBig", Recording({"2.0 t10 connection S1 jog 4294967296"}), 3, 0, "connection state"},
        Damaged{"BadTime", Recording({"1,5 t10 connection S1 jog 1"}), 3, 0, "bad time"},
        Damaged{"NegativeTime", Recording({"-1.0 t10 connection S1 jog 1"}), 3, 0, "bad time"},
        Damaged{"TimeGoesBack", Recording({kGood, "0.500 t10 connection S1 jog 0"}), 4, 1, "backwards"},
        Damaged{"BadThread", Recording({"1.0 10 connection S1 jog 1"}), 3, 0, "bad thread"},
        Damaged{"UnknownKind", Recording({kGood, kGood, "3.0 t10 explode S1"}), 5, 2, "unknown event"},
        Damaged{"CallWithoutOperation", Recording({"1.0 t10 call M1"}), 3, 0, "operation"},
        Damaged{"ReturnWithoutResult", Recording({"1.0 t10 ret M1 GetInterface"}), 3, 0, "result"},
        Damaged{"SinkIsNoSink", Recording({"1.0 t10 connection M1 jog 1"}), 3, 0, "bad sink"},
        Damaged{"ControlCharacter", Recording({kGood, std::string("2.0 t10 note a\x01") + "b"}), 4, 1, "control"},
        Damaged{"NulByte", Recording({kGood}) + std::string("2.0 t10 no\0te\n", 14), 4, 1, "control"},
        Damaged{"LineTooLong", Recording({"1.0 t10 note " + std::string(5000, 'x')}), 3, 0, "longer than"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RecordingParser, ReadsEveryKindOfLine) {
    const std::string text = Recording({
        "0.000 t1a4 call - CreateDeviceManager",
        "0.010 t1a4 ret - CreateDeviceManager M1",
        "0.020 t1a4 call M1 GetInterface jog.device",
        "0.030 t1a4 ret M1 GetInterface 0 D1",
        "",
        "5.500 t2b8 report S1 jog " + kChanges + " " + kStatus,
        "5.600 t2b8 connection S2 {5EC0F00D-0BAD-4C1D-9A11-0000DEADBEEF} -1",
        "7.000 t2b8 progress S1 0 3",
        "8.000 t1a4 note capped at 100 bytes",
    });
    std::vector<RecordedEvent> e;
    std::string error;
    ASSERT_TRUE(RecordingParser::Parse(text, e, error)) << error;
    ASSERT_EQ(e.size(), 8u);
    EXPECT_EQ(e[0].kind, RecordedEvent::kCall);
    EXPECT_EQ(e[0].object, "-");
    EXPECT_EQ(e[0].thread, 0x1a4u);
    EXPECT_EQ(e[3].kind, RecordedEvent::kReturn);
    EXPECT_EQ(e[3].args, (std::vector<std::string>{"0", "D1"}));
    EXPECT_EQ(e[4].kind, RecordedEvent::kReport);
    EXPECT_EQ(e[4].line, 8);
    EXPECT_EQ(e[4].panel, 0);
    EXPECT_EQ(e[4].status.bytes[0], 1);
    EXPECT_DOUBLE_EQ(e[4].ms, 5.5);
    EXPECT_EQ(e[5].panel, -1);
    EXPECT_EQ(e[5].state, -1);
    EXPECT_EQ(e[6].kind, RecordedEvent::kProgress);
    EXPECT_EQ(e[6].value, 3);
    EXPECT_EQ(e[7].text, "capped at 100 bytes");
}

TEST(RecordingParser, AcceptsWindowsLineEnds) {
    std::vector<RecordedEvent> e;
    std::string error;
    EXPECT_TRUE(RecordingParser::Parse("tqrec 1\r\n# x\r\n" + kGood + "\r\n", e, error)) << error;
    EXPECT_EQ(e.size(), 1u);
}

// What the writer writes, the parser reads, line for line.
TEST(RecordingWriter, WritesWhatTheParserReads) {
    std::string file;
    double now = 0;
    RecordingWriter w([&](const std::string& line) { return file += line, true; }, [&] { return now; });
    w.Start({"program VelPanel.exe"});
    now = 1.25;
    w.Event(0x1a4, "call M1 GetInterface jog.events");
    now = 2.0004;
    w.Event(0x2b8, "report S1 audio " + kChanges + " " + kStatus);
    std::vector<RecordedEvent> e;
    std::string error;
    ASSERT_TRUE(RecordingParser::Parse(file, e, error)) << error << "\n" << file;
    ASSERT_EQ(e.size(), 2u);
    EXPECT_DOUBLE_EQ(e[0].ms, 1.25);
    EXPECT_EQ(e[1].thread, 0x2b8u);
    EXPECT_EQ(e[1].panel, 1);
    EXPECT_EQ(file.rfind("tqrec 1\n# program VelPanel.exe\n1.250 t1a4 call", 0), 0u) << file;
}

TEST(RecordingWriter, StopsAtTheCapWithANoteAndStaysUnderIt) {
    std::string file;
    RecordingWriter w([&](const std::string& line) { return file += line, true; }, [] { return 3.0; }, 1000);
    w.Start({});
    for (int i = 0; i < 100; ++i) w.Event(1, "connection S1 jog " + std::to_string(i));
    EXPECT_TRUE(w.Stopped());
    EXPECT_LE(file.size(), 1000u);
    EXPECT_EQ(w.BytesWritten(), file.size());
    std::vector<RecordedEvent> e;
    std::string error;
    ASSERT_TRUE(RecordingParser::Parse(file, e, error)) << error;
    ASSERT_GT(e.size(), 10u);
    EXPECT_EQ(e.back().kind, RecordedEvent::kNote);
    EXPECT_NE(e.back().text.find("capped at 1000 bytes"), std::string::npos);
}

TEST(RecordingWriter, AFailedWriteEndsTheRecording) {
    int writes = 0;
    RecordingWriter w([&](const std::string&) { return ++writes < 3; }, [] { return 0.0; });
    w.Start({});
    for (int i = 0; i < 5; ++i) w.Event(1, "connection S1 jog 1");
    EXPECT_EQ(writes, 3);
    EXPECT_TRUE(w.Stopped());
}

struct Replay {
    const char* name;
    std::vector<std::string> lines;
    std::vector<std::string> commands;
};

class ReplayOf : public ::testing::TestWithParam<Replay> {};

TEST_P(ReplayOf, InjectsEachPanelEventOnce) {
    std::vector<RecordedEvent> events;
    std::string error;
    ASSERT_TRUE(RecordingParser::Parse(Recording(GetParam().lines), events, error)) << error;
    std::vector<std::string> commands;
    for (const ReplayStep& s : ReplayPlan::Build(events)) commands.push_back(s.command);
    EXPECT_EQ(commands, GetParam().commands);
}

const std::string kReportA = "report S1 jog " + kChanges + " " + kStatus;
const std::string kReportAtS2 = "report S2 jog " + kChanges + " " + kStatus;
const std::string kInjectA = "report jog " + kChanges + " " + kStatus;

INSTANTIATE_TEST_SUITE_P(
    Recordings, ReplayOf,
    ::testing::Values(
        Replay{"OneSink",
               {"1.0 t2 " + kReportA, "2.0 t2 connection S1 jog 0"},
               {kInjectA, "fault connection-state jog 0"}},
        Replay{"TwoSinksOneEvent", {"1.0 t2 " + kReportA, "1.0 t2 " + kReportAtS2}, {kInjectA}},
        Replay{"SameSinkTwiceIsTwoEvents", {"1.0 t2 " + kReportA, "1.1 t2 " + kReportA}, {kInjectA, kInjectA}},
        Replay{"TwoSinksTwoEvents",
               {"1.0 t2 " + kReportA, "1.0 t2 " + kReportAtS2, "2.0 t2 " + kReportA, "2.0 t2 " + kReportAtS2},
               {kInjectA, kInjectA}},
        Replay{"SameContentLaterAtAnotherSinkIsANewEvent",
               {"1.0 t2 " + kReportA, "900.0 t2 " + kReportAtS2},
               {kInjectA, kInjectA}},
        Replay{"OtherPanelsInBetween",
               {"1.0 t2 " + kReportA, "1.0 t2 connection S7 audio 1", "1.0 t2 " + kReportAtS2},
               {kInjectA, "fault connection-state audio 1"}},
        Replay{"CallsAndUnknownInterfacesAndProgressAreNotReplayed",
               {"1.0 t1 call D1 SetMode 1", "1.1 t1 ret D1 SetMode 0",
                "2.0 t2 connection S1 {5EC0F00D-0BAD-4C1D-9A11-0000DEADBEEF} 1", "3.0 t2 progress S1 0 0"},
               {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RecordingTimeline, JoinsACallWithItsAnswer) {
    std::vector<RecordedEvent> e;
    std::string error;
    ASSERT_TRUE(
        RecordingParser::Parse(Recording({"1.000 t1a4 call M1 GetInterface jog.device",
                                          "1.250 t1a4 ret M1 GetInterface 0 D1", "2.000 t2b8 connection S1 jog 0"}),
                               e, error));
    EXPECT_EQ(RecordingTimeline::Format(e),
              "      1.000 ms  t  1a4  M1.GetInterface(jog.device) -> 0  D1  [0.250 ms]\n"
              "      2.000 ms  t  2b8  jog not connected (state 0) -> S1\n");
}

}  // namespace
