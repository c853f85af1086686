// The readable timeline of short recordings: keys named as printed on the
// panel whatever the window's own key order, movements of one control added up
// on one line (the ball beyond the window's limit too), a download in a few
// lines, commands by name, and an event that reached two sinks told once.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "recorder/format/ReadableTimeline.h"
#include "recorder/format/RecordingFormat.h"
#include "recorder/format/RecordingParser.h"

namespace {

std::string Bytes(std::size_t count, const std::map<std::size_t, std::uint8_t>& set) {
    std::vector<std::uint8_t> bytes(count);
    for (const auto& [at, value] : set) bytes[at] = value;
    return RecordingFormat::Hex(bytes.data(), count);
}

// "<ms> t2 report <sink> <panel> <changes> <status>".
std::string Report(const char* ms, const char* sinkAndPanel, const std::map<std::size_t, std::uint8_t>& changes,
                   const std::map<std::size_t, std::uint8_t>& status) {
    return std::string(ms) + " t2 report " + sinkAndPanel + " " + Bytes(28, changes) + " " + Bytes(32, status);
}

// A status query answered with these 32-bit fields of the 288-byte block.
std::vector<std::string> Query(const char* ms, std::map<std::size_t, std::int32_t> fields) {
    std::map<std::size_t, std::uint8_t> bytes;
    for (const auto& [at, v] : fields)
        for (int i = 0; i < 4; ++i) bytes[at + i] = std::uint8_t(std::uint32_t(v) >> (8 * i));
    return {std::string(ms) + " t1 call D1 GetDeviceStatus",
            std::string(ms) + " t1 ret D1 GetDeviceStatus 0 =" + Bytes(288, bytes)};
}

// The program takes a panel as D1, E1 and S1.
std::vector<std::string> Opens(const std::string& panel) {
    return {"0.1 t1 call M1 GetInterface " + panel + ".device",
            "0.1 t1 ret M1 GetInterface 0 D1",
            "0.1 t1 call M1 GetInterface " + panel + ".events",
            "0.1 t1 ret M1 GetInterface 0 E1",
            "0.1 t1 call E1 Advise S1",
            "0.1 t1 ret E1 Advise 0"};
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct Story {
    const char* name;
    std::vector<std::string> lines;
    std::string timeline;
};

void PrintTo(const Story& story, std::ostream* os) { *os << story.name; }

class ReadableTimelineOf : public ::testing::TestWithParam<Story> {};

TEST_P(ReadableTimelineOf, TellsWhatHappened) {
    std::string text = "tqrec 1\n";
    for (const std::string& line : GetParam().lines) text += line + "\n";
    std::vector<RecordedEvent> events;
    std::string error;
    ASSERT_TRUE(RecordingParser::Parse(text, events, error)) << error;
    EXPECT_EQ(ReadableTimeline::Format(events), GetParam().timeline);
}

const std::string kOpened = "   0.000             opens jog\n";

INSTANTIATE_TEST_SUITE_P(
    Recordings, ReadableTimelineOf,
    ::testing::Values(
        // SHIFT and ENTER sit at other places in the window's key list than in the report's bit order.
        Story{"JogKeys",
              {Report("1000", "S1 jog", {{2, 0x01}}, {{3, 0x01}}), Report("1100", "S1 jog", {{3, 0x08}}, {{4, 0x08}}),
               Report("1200", "S1 jog", {{2, 0x01}}, {{4, 0x08}}), Report("1300", "S1 jog", {{3, 0x08}}, {}),
               Report("2000", "S1 jog", {{4, 0x08}}, {{5, 0x08}}), Report("2150", "S1 jog", {{4, 0x08}}, {})},
              "   1.000  jog        F1 down\n   1.100  jog        SHIFT down\n   1.200  jog        F1 up\n"
              "   1.300  jog        SHIFT up\n   2.000  jog        ENTER down, up after 150 ms\n"},
        Story{
            "FaderTravel",
            {Report("1000", "S1 audio", {{6, 0x04}}, {{8, 40}}), Report("1400", "S1 audio", {{6, 0x04}}, {{8, 120}}),
             Report("1800", "S1 audio", {{6, 0x04}}, {{8, 212}}), Report("1900", "S1 audio", {{7, 1}}, {{14, 200}}),
             Report("3000", "S1 audio", {{6, 0x04}}, {{8, 50}}), Report("3100", "S1 audio", {{4, 0x20}}, {{4, 0x20}})},
            "   1.000  audio      fader 3 40 → 212 over 0.8 s\n   1.900  audio      master at 200\n"
            "   3.000  audio      fader 3 at 50\n   3.100  audio      1/5_L down\n"},
        Story{"Download",
              Opens("jog") +
                  std::vector<std::string>{"1000 t1 call D1 DownloadProgram C:\\fw%20dir\\jog.rom 1",
                                           "1000 t1 ret D1 DownloadProgram 0"} +
                  Query("1010", {{280, 24576}}) + Query("1100", {{280, 24576}, {284, 9000}}) +
                  std::vector<std::string>{"1200 t1 call D1 GetDeviceStatus", "1200 t1 ret D1 GetDeviceStatus -5"} +
                  Query("3000", {{280, 24576}, {284, 24576}}) + std::vector<std::string>{"3005 t2 progress S1 0 0"} +
                  Query("3010", {{272, 4}}) +
                  std::vector<std::string>{"4000 t1 call D1 FinishDownload", "4000 t1 ret D1 FinishDownload 0"},
              kOpened +
                  "   1.000  jog        DownloadProgram C:\\fw dir\\jog.rom: started\n"
                  "   1.010  jog        4 status queries over 2.0 s, progress 0 → 24576 of 24576 bytes, 1 failed\n"
                  "   3.005  jog        download ended: result 4, image corrupt (checksum)\n"
                  "   4.000  jog        FinishDownload\n"},
        Story{"Commands",
              Opens("audio") + std::vector<std::string>{"1000 t1 call D1 SetLed 9 1", "1000 t1 ret D1 SetLed 0",
                                                        "1050 t1 call D1 SetLed 29 0", "1050 t1 ret D1 SetLed 0",
                                                        "1100 t1 call D1 SetFader 2 1 128", "1100 t1 ret D1 SetFader 0",
                                                        "1200 t1 call D1 SetMode 0", "1200 t1 ret D1 SetMode -3",
                                                        "1300 t1 call D1 SetFader 8 0 0"},
              "   0.000             opens audio\n   1.000  audio      SetLed MUTE on, OVER off\n"
              "   1.100  audio      SetFader 3 to 128\n   1.200  audio      SetMode Normal failed (status -3)\n"
              "   1.300  audio      SetFader master let go (no answer)\n"},
        // Shuttle reports positions, where jog reports steps.
        Story{"DialModes",
              Opens("jog") +
                  std::vector<std::string>{"1000 t1 call D1 SetDialMode =00002002", "1000 t1 ret D1 SetDialMode 0",
                                           Report("1001", "S1 jog", {{0, 1}}, {{0, 2}}),
                                           Report("1100", "S1 jog", {{1, 1}}, {{0, 2}, {1, 10}}),
                                           Report("1300", "S1 jog", {{1, 1}}, {{0, 2}, {1, 0xEC}, {2, 0xFF}})},
              kOpened + "   1.000  jog        SetDialMode SHUTTLE\n   1.001  jog        dial mode SHUTTLE\n"
                        "   1.100  jog        shuttle 10 → -20 over 0.2 s\n"},
        Story{
            "TwoSinks",
            {"1000 t2 connection S1 trackball 1", "1001 t2 connection S2 trackball 1",
             "1500 t2 connection S3 trackball 1", Report("2000", "S1 trackball", {{1, 1}}, {{1, 120}, {3, 0}, {4, 10}}),
             Report("2001", "S2 trackball", {{1, 1}}, {{1, 120}, {3, 0}, {4, 10}}),
             Report("2100", "S1 trackball", {{1, 1}}, {{1, 120}}), "3000 t2 connection S1 trackball 0"},
            "   1.000  trackball  connected\n   2.000  trackball  ball +240 -10 over 0.1 s\n"
            "   3.000  trackball  not connected\n"},
        Story{"KnobsAndLamps",
              {Report("1000", "S1 mediabar", {{2, 1}}, {{3, 20}}),
               Report("1100", "S1 mediabar", {{2, 1}}, {{3, 0xF6}, {4, 0xFF}}),
               Report("1200", "S1 mediabar", {{9, 0x02}}, {{17, 0x02}})},
              "   1.000  mediabar   knob 2 +10 over 0.1 s\n   1.200  mediabar   lamp B on\n"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
