// The faults velsim gives the Panel Check to find, typed as an engineer types
// them: each must bend exactly the reports of its own control, and reset must
// take it away again.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "simulator/model/ControlProtocol.h"
#include "simulator/model/MediaBarModel.h"
#include "tests/native/simulator/SimTestSupport.h"

namespace {

int MediaBarKeys(const SimEvent& e) { return e.status.bytes[0]; }
int Fader3(const SimEvent& e) { return e.status.bytes[6 + 2]; }
int MasterFader(const SimEvent& e) { return e.status.bytes[6 + 8]; }
int Knob2(const SimEvent& e) { return MediaBarModel::DecodeMovement(e.status.bytes[3], e.status.bytes[4]); }

struct FaultCase {
    const char* name;
    int panel;
    std::vector<std::string> lines;  // "wait <ms>" lets the clock run
    int (*read)(const SimEvent&);
    std::vector<int> expected;  // what read finds in each report of the panel, in order
};
// Keeps the test's listed name readable.
void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

const FaultCase kCases[] = {
    {"stuck key swallows its release", kPanelMediaBar,
     {"fault stuck mediabar A on", "press mediabar A", "release mediabar A", "tap mediabar B", "wait 200"},
     MediaBarKeys, {0x01, 0x03, 0x01}},
    {"stuck key off again", kPanelMediaBar,
     {"fault stuck mediabar A on", "fault stuck mediabar A off", "tap mediabar A", "wait 200"}, MediaBarKeys,
     {0x01, 0x00}},
    {"chattering key bounces on every press", kPanelMediaBar,
     {"fault chatter mediabar B on", "press mediabar A", "tap mediabar B", "wait 200", "tap mediabar B", "wait 200"},
     MediaBarKeys, {0x01, 0x03, 0x01, 0x03, 0x01, 0x03, 0x01, 0x03, 0x01}},
    {"dead zone keeps the fader silent inside it", kPanelAudio,
     {"fault deadzone 3 100 140", "fader 3 99", "fader 3 100", "fader 3 120", "fader 3 140", "fader 3 141",
      "fader 1 120"},
     Fader3, {99, 141, 141}},
    {"dead zone off again", kPanelAudio,
     {"fault deadzone 3 100 140", "fault deadzone 3 off", "fader 3 120"}, Fader3, {120}},
    {"noisy knob wanders up and back while nobody turns it", kPanelMediaBar,
     {"fault noisy mediabar 2 on", "wait 1100", "fault noisy mediabar 2 off", "wait 1000"}, Knob2,
     {1, -1, 1, -1}},
    {"noisy master turns back at its top stop", kPanelAudio,
     {"fader master 255", "fault noisy audio master on", "wait 800"}, MasterFader, {255, 254, 255, 254}},
    {"noisy fader held by the motor stays still", kPanelAudio,
     {"fault noisy audio 3 on", "motor 3 60", "wait 800"}, Fader3, {60}},
    {"reset ends the noise", kPanelMediaBar, {"fault noisy mediabar 2 on", "reset", "wait 1000"}, Knob2, {}},
};

class PanelCheckFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(PanelCheckFault, BendsOnlyItsOwnControl) {
    const FaultCase& c = GetParam();
    SimFixture f;
    ControlProtocol protocol{f.sim, [](const std::string&, std::string&, std::string& error) {
                                 error = "no files here";
                                 return false;
                             }};
    std::vector<SimEvent> reports;
    const auto collect = [&] {
        for (const SimEvent& e : f.Take())
            if (e.kind == SimEvent::kReport && e.panel == c.panel) reports.push_back(e);
    };
    for (const std::string& line : c.lines) {
        if (line.compare(0, 5, "wait ") == 0) {
            for (int ms = std::stoi(line.substr(5)); ms > 0; ms -= 10) {
                f.Advance(10);
                collect();
            }
        } else if (line.compare(0, 6, "motor ") == 0) {
            // The program's side: SetFader(n, held, pos), which the channel has no word for.
            ASSERT_EQ(f.sim.SetFader(std::stoi(line.substr(6)) - 1, 1, std::uint8_t(std::stoi(line.substr(8)))), 0);
        } else {
            ASSERT_EQ(protocol.Execute(line), "ok") << line;
        }
        collect();
    }
    std::vector<int> seen;
    for (const SimEvent& e : reports) seen.push_back(c.read(e));
    EXPECT_EQ(seen, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Faults, PanelCheckFault, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<FaultCase>& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p)
                                 name += (*p == ' ') ? '_' : *p;
                             return name;
                         });
}  // namespace
