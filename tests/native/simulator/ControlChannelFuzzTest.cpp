// Random bytes and mangled commands through the control channel's line
// splitting, parser and protocol. The seed is fixed, so a failure repeats; the
// counts keep the run to a few seconds under the sanitizers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "simulator/model/AudioModel.h"
#include "simulator/model/CommandParser.h"
#include "simulator/model/ControlProtocol.h"
#include "simulator/model/JogShuttleModel.h"
#include "simulator/model/LineBuffer.h"
#include "simulator/model/MediaBarModel.h"
#include "simulator/model/TrackballModel.h"
#include "tests/native/simulator/SimTestSupport.h"

namespace {

constexpr std::uint32_t kSeed = 0x5eed0ca7;
// All of this runs on one thread: ThreadSanitizer has nothing to look for and
// would take seven times as long (about 30 s), so its build runs a tenth.
#ifdef __SANITIZE_THREAD__
constexpr int kShare = 10;
#else
constexpr int kShare = 1;
#endif
constexpr int kStreamLines = 100000 / kShare;
constexpr int kCommandLines = 100000 / kShare;
constexpr std::size_t kMax = CommandParser::kMaxLineLength;

using Rng = std::mt19937;

int Pick(Rng& rng, int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
bool OneIn(Rng& rng, int n) { return Pick(rng, n) == 0; }

// The line splitting written the plain way, for a stream that ends with "\n":
// split at "\n", drop one "\r" before it; a line longer than the limit is one
// overlong marker.
std::vector<LineBuffer::Line> ReferenceLines(const std::string& stream) {
    std::vector<LineBuffer::Line> out;
    std::size_t begin = 0;
    for (std::size_t end = stream.find('\n'); end != std::string::npos; end = stream.find('\n', begin)) {
        std::string line = stream.substr(begin, end - begin);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > kMax)
            out.push_back({std::string(), true});
        else
            out.push_back({line, false});
        begin = end + 1;
    }
    return out;
}

// One line of bytes without "\n", its length often right at the limit and its
// end often a "\r", where a line splitter is most likely wrong.
std::string RandomLine(Rng& rng) {
    std::size_t length;
    switch (Pick(rng, 8)) {
    case 0:
        length = kMax - 2 + std::size_t(Pick(rng, 5));
        break;
    case 1:
        length = std::size_t(Pick(rng, int(4 * kMax)));
        break;
    default:
        length = std::size_t(Pick(rng, 40));
        break;
    }
    std::string line(length, '\0');
    for (char& ch : line) {
        const std::uint32_t r = rng();
        ch = (r >> 8) % 16 == 0 ? '\r' : char(r & 0xff);
        if (ch == '\n') ch = '\0';
    }
    if (!line.empty() && OneIn(rng, 3)) line.back() = '\r';
    return line;
}

bool IsAnswer(const std::string& answer) {
    if (answer.find_first_of(std::string("\n\r\0", 3)) != std::string::npos) return false;
    if (answer == "ok" || answer.compare(0, 3, "ok ") == 0) return true;
    return answer.compare(0, 7, "error: ") == 0 && answer.size() > 7;
}

TEST(ControlChannelFuzz, TheLineBufferSplitsAnyStreamLikeThePlainSplitInAnyChunks) {
    Rng rng(kSeed);
    for (int round = 0; round < kStreamLines / 100; ++round) {
        std::string stream;
        for (int i = 0; i < 100; ++i) stream += RandomLine(rng) + "\n";
        LineBuffer buffer(kMax);
        std::vector<LineBuffer::Line> got;
        for (std::size_t at = 0; at < stream.size();) {
            const std::size_t chunk = std::min(stream.size() - at, std::size_t(1 + Pick(rng, 1500)));
            buffer.Feed(stream.data() + at, chunk, got);
            at += chunk;
        }
        const std::vector<LineBuffer::Line> want = ReferenceLines(stream);
        ASSERT_EQ(got.size(), want.size()) << "round " << round;
        for (std::size_t i = 0; i < want.size(); ++i) {
            ASSERT_EQ(got[i].overlong, want[i].overlong)
                << "round " << round << " line " << i << " length " << stream.size();
            ASSERT_EQ(got[i].text, want[i].text) << "round " << round << " line " << i;
        }
    }
}

// Lines that look like commands, with one or more parts bent: numbers at and
// past their limits, unknown or mis-cased names, extra or missing tokens,
// stray bytes. Most are refused; the ones that pass drive the panels.
class CommandGenerator {
public:
    explicit CommandGenerator(Rng& rng) : m_rng(rng) {}

    std::string Line() {
        static const char* const kVerbs[] = {
            "press",    "release", "tap",   "jog",   "knob", "ball", "ring", "fader", "plug",  "unplug", "powercycle",
            "firmware", "driver",  "fault", "storm", "wait", "play", "demo", "stop",  "reset", "status", "help"};
        std::vector<std::string> t{Case(kVerbs[Pick(m_rng, int(std::size(kVerbs)))])};
        const int extra = Pick(m_rng, 5);
        for (int i = 0; i < extra; ++i) t.push_back(Token());
        std::string line;
        for (const std::string& token : t) line += (line.empty() ? "" : Blank()) + token;
        if (OneIn(m_rng, 20)) line += " # " + Token();
        if (OneIn(m_rng, 10)) line.insert(std::size_t(Pick(m_rng, int(line.size() + 1))), 1, char(Pick(m_rng, 256)));
        if (OneIn(m_rng, 10)) line += '\r';
        return line;
    }

private:
    std::string Token() {
        static const char* const kPanels[] = {"jog", "jogshuttle", "audio", "trackball", "mediabar", "mixer", ""};
        static const char* const kWords[] = {"getinterface",
                                             "versioninfo",
                                             "unplug-in-download",
                                             "unknown-iid",
                                             "connection-state",
                                             "device",
                                             "events",
                                             "both",
                                             "on",
                                             "off",
                                             "master",
                                             "s.txt",
                                             "demo.txt",
                                             "missing.txt"};
        static const char* const kNumbers[] = {
            "-2147483649", "-2147483648", "2147483647", "2147483648", "-32768", "-32767", "32767",
            "32768",       "-10001",      "-10000",     "10000",      "10001",  "-257",   "-256",
            "255",         "256",         "-1",         "0",          "1",      "8",      "9",
            "120",         "121",         "5000",       "5001",       "600000", "600001", "fff",
            "1000",        "+5",          "-",          "--1",        "1e3",    "0x10",   "9999999999999"};
        switch (Pick(m_rng, 6)) {
        case 0:
            return Case(kPanels[Pick(m_rng, int(std::size(kPanels)))]);
        case 1:
            return Case(Key());
        case 2:
            return Case(kWords[Pick(m_rng, int(std::size(kWords)))]);
        case 3:
            return kNumbers[Pick(m_rng, int(std::size(kNumbers)))];
        case 4:
            return std::to_string(std::uniform_int_distribution<int>(-70000, 70000)(m_rng));
        default: {
            std::string junk(std::size_t(1 + Pick(m_rng, 12)), 'x');
            for (char& ch : junk) ch = char(0x21 + Pick(m_rng, 0x5e));
            return junk;
        }
        }
    }

    std::string Key() {
        switch (Pick(m_rng, 4)) {
        case 0:
            return JogShuttleModel::kKeyNames[Pick(m_rng, JogShuttleModel::kKeyCount)];
        case 1:
            return AudioModel::kKeyNames[Pick(m_rng, AudioModel::kKeyCount)];
        case 2:
            return TrackballModel::kKeyNames[Pick(m_rng, TrackballModel::kKeyCount)];
        default:
            return MediaBarModel::kKeyNames[Pick(m_rng, MediaBarModel::kKeyCount)];
        }
    }

    std::string Case(std::string s) {
        if (OneIn(m_rng, 3))
            for (char& ch : s)
                if (OneIn(m_rng, 2)) ch = char(ch >= 'a' && ch <= 'z' ? ch - 'a' + 'A' : ch);
        return s;
    }

    std::string Blank() {
        switch (Pick(m_rng, 6)) {
        case 0:
            return "\t";
        case 1:
            return "  ";
        default:
            return " ";
        }
    }

    Rng& m_rng;
};

struct FuzzFixture : SimFixture {
    std::vector<std::string> scripts;
    ControlProtocol protocol{sim, [this](const std::string& path, std::string& text, std::string& error) {
                                 if (path == "missing.txt" || scripts.empty()) {
                                     error = "no such file";
                                     return false;
                                 }
                                 text = scripts[path.size() % scripts.size()];
                                 return true;
                             }};
    std::string Snapshot() {
        std::string s;
        for (int p = 0; p < kPanelCount; ++p) s += sim.Describe(p) + "\n";
        return s;
    }
};

TEST(ControlChannelFuzz, EveryCommandLineGetsOneAnswerAndARefusedOneChangesNothing) {
    Rng rng(kSeed + 1);
    FuzzFixture f;
    CommandGenerator gen(rng);
    // Scripts the fuzzed "play" lines find: bent command lines with waits between.
    for (int s = 0; s < 8; ++s) {
        std::string text;
        const int lines = 1 + Pick(rng, 12);
        for (int i = 0; i < lines; ++i)
            text += (OneIn(rng, 3) ? "wait " + std::to_string(Pick(rng, 50)) : gen.Line()) + "\n";
        f.scripts.push_back(text);
    }
    int ok = 0;
    std::string state = f.Snapshot();
    for (int i = 0; i < kCommandLines; ++i) {
        const std::string line = gen.Line();
        const std::string answer = f.protocol.Execute(line);
        ASSERT_TRUE(IsAnswer(answer)) << "line " << i << ": '" << line << "' -> '" << answer << "'";
        if (answer.compare(0, 2, "ok") == 0) {
            ++ok;
            f.Take();
            state = f.Snapshot();
        } else {
            ASSERT_EQ(f.Snapshot(), state) << "line " << i << ": '" << line << "' -> '" << answer << "'";
            ASSERT_TRUE(f.Take().empty()) << "line " << i << ": '" << line << "' -> '" << answer << "'";
        }
        // Let timed work (taps, storms, scripts, power cycles) run now and then.
        if (i % 64 == 0) {
            f.clock.Advance(1 + Pick(rng, 40));
            f.protocol.Tick();
            f.sim.Tick();
            f.Take();
            state = f.Snapshot();
            const std::string error = f.protocol.LastScriptError();
            ASSERT_TRUE(error.find_first_of("\n\r") == std::string::npos) << error;
        }
    }
    // A fuzz that never gets past the parser proves little.
    EXPECT_GT(ok, kCommandLines / 50);
    EXPECT_EQ(f.protocol.Execute("reset"), "ok");
    EXPECT_EQ(f.protocol.Execute("status").compare(0, 3, "ok "), 0);
}

TEST(ControlChannelFuzz, RawBytesThroughTheLineBufferAlwaysGetAnAnswerPerLine) {
    Rng rng(kSeed + 2);
    FuzzFixture f;
    LineBuffer buffer(kMax);
    int lines = 0;
    while (lines < kStreamLines) {
        std::string chunk;
        for (int i = 0; i < 50; ++i) chunk += RandomLine(rng) + "\n";
        std::vector<LineBuffer::Line> complete;
        buffer.Feed(chunk.data(), chunk.size(), complete);
        for (const LineBuffer::Line& line : complete) {
            ++lines;
            if (line.overlong) continue;  // the channel answers those itself
            const std::string answer = f.protocol.Execute(line.text);
            ASSERT_TRUE(IsAnswer(answer)) << "'" << line.text << "' -> '" << answer << "'";
        }
        f.Take();
    }
}

}  // namespace
