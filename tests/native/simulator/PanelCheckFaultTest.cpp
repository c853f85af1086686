// The faults velsim gives the Panel Check to find, typed as an engineer types
// them: each must bend exactly the reports of its own control, and reset must
// take it away again.
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "simulator/model/CommandParser.h"
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
     {"fault noisy audio 3 on", "motor 3 60", "wait 800"}, Fader3, {78, 60}},
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

template <typename Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
    std::string name;
    for (const char* p = info.param.name; *p; ++p) name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Faults, PanelCheckFault, ::testing::ValuesIn(kCases), CaseName<FaultCase>);

// The motors as the program's motor check sees them. Faders count 1-9 (9 the
// master); "hold f p" and "free f" are SetFader(f, 1, p) and SetFader(f, 0, 0);
// "wait n" ticks every ms, "late n" once after n, "idle n" not at all; "at f p":
// the fader last reported p, "saw f p...": all it reported since its last
// "saw"; anything else goes to the control channel.
struct MotorCase {
    const char* name;
    std::vector<std::string> lines;
};

const MotorCase kMotorCases[] = {
    {"clean 0 to 255 in 51 ms", {"hold 1 255", "wait 50", "at 1 250", "wait 1", "at 1 255", "wait 100", "at 1 255"}},
    {"late tick reports every 10 ms of the way", {"hold 1 255", "late 60", "saw 1 50 100 150 200 250 255"}},
    {"new target turns it round where it stands",
     {"hold 1 255", "wait 10", "idle 10", "hold 1 0", "wait 19", "at 1 5", "wait 1", "at 1 0"}},
    {"let go mid-way stops it there",
     {"hold 1 255", "wait 20", "free 1", "wait 100", "at 1 100", "fader 1 30", "at 1 30"}},
    {"unplugged motor stops dead",
     {"hold 1 255", "wait 10", "unplug audio", "wait 10", "plug audio", "wait 100", "at 1 50"}},
    {"stall never moves", {"fault motor 3 stall", "hold 3 200", "wait 2000", "saw 3"}},
    {"slow starts 700 ms late", {"fault motor 3 slow", "hold 3 200", "wait 700", "saw 3", "wait 15", "at 3 200"}},
    {"overshoot stands 12 past, then comes back",
     {"fault motor 3 overshoot", "hold 3 64", "wait 16", "at 3 52", "wait 100", "at 3 52", "wait 3", "at 3 64"}},
    {"overshoot stops at the end stop",
     {"fault motor 3 overshoot", "hold 3 250", "wait 126", "at 3 255", "wait 1", "at 3 250"}},
    {"reversed runs to the far stop",
     {"fault motor 3 reversed", "hold 3 200", "wait 10", "at 3 78", "wait 100", "at 3 0"}},
    {"crosstalk drags the neighbour once at the end",
     {"fault motor 3 crosstalk", "hold 3 200", "wait 14", "saw 4", "wait 100", "saw 4 197"}},
    {"crosstalk spares a held neighbour", {"fault motor 3 crosstalk", "hold 4 191", "hold 3 200", "wait 100", "saw 4"}},
    {"crosstalk of the master turns channel 8 round at its stop",
     {"fader 8 3", "fault motor master crosstalk", "hold 9 0", "wait 100", "saw 8 3 9"}},
    {"dead zone hides the motor's way through it",
     {"fault deadzone 1 100 140", "hold 1 255", "late 60", "saw 1 50 150 200 250 255"}},
};
void PrintTo(const MotorCase& c, std::ostream* os) { *os << c.name; }

class MotorFault : public ::testing::TestWithParam<MotorCase> {};

TEST_P(MotorFault, ReportsWhereTheFaderGoes) {
    SimFixture f;
    ControlProtocol protocol{f.sim, nullptr};
    PanelStatus state{};
    ASSERT_EQ(f.sim.GetState(&state), 0);
    std::array<std::vector<int>, 9> saw;
    std::array<int, 9> last{};
    for (int i = 0; i < 9; ++i) last[i] = state.bytes[6 + i];
    for (const std::string& line : GetParam().lines) {
        std::istringstream in(line);
        std::string word;
        int a = 0, b = 0;
        in >> word >> a;
        if (word == "wait") {
            for (int ms = 0; ms < a; ++ms) f.Advance(1);
        } else if (word == "late" || word == "idle") {
            f.clock.Advance(a);
            if (word == "late") f.sim.Tick();
        } else if (word == "hold" || word == "free") {
            ASSERT_EQ(f.sim.SetFader(a - 1, word == "hold", std::uint8_t(in >> b ? b : 0)), 0) << line;
        } else if (word != "at" && word != "saw") {
            ASSERT_EQ(protocol.Execute(line), "ok") << line;
        }
        for (const SimEvent& e : f.Reports(kPanelAudio))
            for (int i = 0; i < 9; ++i)
                if ((i < 8 ? e.changes.bytes[6] >> i : e.changes.bytes[7]) & 1)
                    saw[i].push_back(last[i] = e.status.bytes[6 + i]);
        std::vector<int> want;
        for (int pos = 0; in >> pos;) want.push_back(pos);
        if (word == "at" || word == "saw") {
            EXPECT_EQ(word == "at" ? std::vector<int>{last[a - 1]} : std::exchange(saw[a - 1], {}), want) << line;
        }
    }
    // GetState gives what the reports last said, moving or not.
    ASSERT_EQ(f.sim.GetState(&state), 0);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(state.bytes[6 + i], last[i]) << "fader " << i + 1;
}

INSTANTIATE_TEST_SUITE_P(Motors, MotorFault, ::testing::ValuesIn(kMotorCases), CaseName<MotorCase>);

// What lights, in the status line, against what the wire carries: the
// commands, as from a panel without the faults.
struct LampCase {
    const char* name;
    int panel;
    std::vector<std::string> faults;
    std::vector<int> commanded;  // lamps as SetLed numbers them
    const char* lit;
};

const LampCase kLampCases[] = {
    {"dead lamp stays dark", kPanelAudio, {"fault deadlamp audio over on"}, {9, 29}, "lamps MUTE "},
    {"shorted pair lights together", kPanelAudio, {"fault shortlamps audio 1_T 2_T on"}, {1}, "lamps 1_T,2_T "},
    {"dead wins", kPanelAudio, {"fault shortlamps audio 1_T 2_T on", "fault deadlamp audio 2_T on"}, {2}, "lamps 1_T "},
    {"trackball all dark", kPanelTrackball, {"fault deadlamp trackball A on"}, {1}, "lamps none "},
    {"media bar shorted pair", kPanelMediaBar, {"fault shortlamps mediabar A B on"}, {1}, "lamps A,B "},
    {"reset clears lamp faults", kPanelMediaBar, {"fault deadlamp mediabar B on", "reset"}, {1}, "lamps B "},
};
void PrintTo(const LampCase& c, std::ostream* os) { *os << c.name; }

class LampFault : public ::testing::TestWithParam<LampCase> {};

TEST_P(LampFault, BendsWhatLightsNotWhatIsCommanded) {
    const LampCase& c = GetParam();
    SimFixture f, sound;
    ControlProtocol protocol{f.sim, nullptr};
    for (const std::string& line : c.faults) ASSERT_EQ(protocol.Execute(line), "ok") << line;
    for (int lamp : c.commanded) ASSERT_EQ(f.sim.SetLed(c.panel, lamp, 1) | sound.sim.SetLed(c.panel, lamp, 1), 0);
    const std::string status = protocol.Execute("status " + std::string(CommandParser::PanelName(c.panel)));
    EXPECT_NE(status.find(c.lit), std::string::npos) << status;
    std::vector<SimEvent> wire = f.Take(), want = sound.Take();
    PanelStatus state{}, wantState{};
    ASSERT_EQ(f.sim.GetState(&state) | sound.sim.GetState(&wantState), 0);
    ASSERT_EQ(wire.size(), want.size());
    for (std::size_t i = 0; i < wire.size(); ++i) EXPECT_EQ(std::memcmp(&wire[i], &want[i], sizeof wire[i]), 0);
    EXPECT_EQ(std::memcmp(&state, &wantState, sizeof state), 0);
}

INSTANTIATE_TEST_SUITE_P(Lamps, LampFault, ::testing::ValuesIn(kLampCases), CaseName<LampCase>);
}  // namespace
