#include "simulator/model/CommandParser.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "simulator/model/AudioModel.h"
#include "simulator/model/JogShuttleModel.h"
#include "simulator/model/MediaBarModel.h"
#include "simulator/model/PanelModel.h"
#include "simulator/model/TrackballModel.h"

namespace {
std::string Lower(std::string s) {
    for (char& ch : s) ch = char(std::tolower(static_cast<unsigned char>(ch)));
    return s;
}

bool ParseInt(const std::string& token, int base, long long lo, long long hi, int& out) {
    if (token.empty() || token.size() > 12) return false;
    std::size_t i = 0;
    if (token[0] == '-' || token[0] == '+') i = 1;
    if (i == token.size()) return false;
    for (std::size_t k = i; k < token.size(); ++k) {
        const unsigned char ch = static_cast<unsigned char>(token[k]);
        if (base == 16 ? !std::isxdigit(ch) : !std::isdigit(ch)) return false;
    }
    // At most 12 characters: always within long long, whatever the width of long.
    const long long v = std::strtoll(token.c_str(), nullptr, base);
    if (v < lo || v > hi) return false;
    out = int(v);
    return true;
}

// Exactly size bytes as 2 * size hex digits.
bool ParseBlock(const std::string& token, std::uint8_t* out, std::size_t size) {
    if (token.size() != 2 * size) return false;
    for (std::size_t i = 0; i < token.size(); ++i)
        if (!std::isxdigit(static_cast<unsigned char>(token[i]))) return false;
    for (std::size_t i = 0; i < size; ++i)
        out[i] = std::uint8_t(std::strtoul(token.substr(2 * i, 2).c_str(), nullptr, 16));
    return true;
}

// The panel's key names as its model has them.
struct KeyNames {
    const char* const* names;
    int count;
};

KeyNames KeysOf(int panel) {
    switch (panel) {
    case kPanelJogShuttle:
        return {JogShuttleModel::kKeyNames, JogShuttleModel::kKeyCount};
    case kPanelAudio:
        return {AudioModel::kKeyNames, AudioModel::kKeyCount};
    case kPanelTrackball:
        return {TrackballModel::kKeyNames, TrackballModel::kKeyCount};
    case kPanelMediaBar:
        return {MediaBarModel::kKeyNames, MediaBarModel::kKeyCount};
    default:
        return {nullptr, 0};
    }
}

std::string KeyList(int panel) {
    const KeyNames keys = KeysOf(panel);
    std::string s;
    for (int i = 0; i < keys.count; ++i) s += (i ? " " : "") + std::string(keys.names[i]);
    return s;
}

std::string FirstWord(const char* name) {
    const std::string s = name;
    return s.substr(0, s.find(' '));
}

// "getinterface" of "fault getinterface"; empty for a one-word command.
std::string SecondWord(const char* name) {
    const std::string s = name;
    const std::size_t blank = s.find(' ');
    return blank == std::string::npos ? std::string() : s.substr(blank + 1);
}

enum Group { kKeys, kDials, kConnection, kDownloads, kFaults, kScripts, kRecordings, kSimulator, kGroupCount };
const char* const kGroupNames[kGroupCount] = {"keys",   "dials and faders", "connection", "downloads",
                                              "faults", "scripts",          "recordings", "the simulator"};

struct Command;

// The line being parsed, as the handler of its command sees it: arguments
// counted from the first one after the command's own words.
struct Line {
    const std::vector<std::string>& t;
    std::size_t first;
    const std::string& rest;  // the raw text from the first argument on
    const Command& command;
    std::string& error;

    std::size_t Count() const { return t.size() - first; }
    const std::string& Arg(std::size_t i) const { return t[first + i]; }
    bool Fail(const std::string& why) {
        error = why;
        return false;
    }
    bool Args(std::size_t lo, std::size_t hi);
    bool Args(std::size_t n) { return Args(n, n); }
    bool Panel(std::size_t i, int& out) {
        out = CommandParser::PanelByName(Arg(i));
        if (out < 0) return Fail("unknown panel '" + Arg(i) + "' (jog, audio, trackball, mediabar)");
        return true;
    }
    bool Number(std::size_t i, long long lo, long long hi, int& out, const char* what, int base = 10) {
        if (ParseInt(Arg(i), base, lo, hi, out)) return true;
        return Fail(std::string(what) + " must be " + (base == 16 ? "hexadecimal " : "") +
                    (base == 16 ? "0..fff" : std::to_string(lo) + ".." + std::to_string(hi)) + ", not '" + Arg(i) +
                    "'");
    }
    bool OnOff(std::size_t i, bool& out) {
        const std::string v = Lower(Arg(i));
        if (v == "on")
            out = true;
        else if (v == "off")
            out = false;
        else
            return Fail("expected on or off, not '" + Arg(i) + "'");
        return true;
    }
};

using Handler = bool (*)(Line&, ControlCommand&);

struct Command {
    const char* name;  // one word, or a word and a kind ("fault versioninfo")
    const char* args;
    const char* what;
    Group group;
    ControlCommand::Verb verb;
    Handler parse;  // null for velsim's own commands, which never reach the channel
};

std::string Usage(const Command& c) { return std::string(c.name) + (*c.args ? " " : "") + c.args; }

bool Line::Args(std::size_t lo, std::size_t hi) {
    if (Count() < lo || Count() > hi) return Fail("usage: " + Usage(command));
    return true;
}

bool Nothing(Line& c, ControlCommand&) { return c.Args(0); }

bool PanelOnly(Line& c, ControlCommand& out) { return c.Args(1) && c.Panel(0, out.panel); }

// Argument i names a key of out.panel.
bool KeyArg(Line& c, int i, ControlCommand& out) {
    const KeyNames keys = KeysOf(out.panel);
    const int k = PanelModel::FindName(keys.names, keys.count, c.Arg(i));
    if (k < 0)
        return c.Fail("no key '" + c.Arg(i) + "' on " + CommandParser::PanelName(out.panel) +
                      " (keys: " + KeyList(out.panel) + ")");
    out.key = keys.names[k];
    return true;
}

bool Key(Line& c, ControlCommand& out) { return c.Args(2) && c.Panel(0, out.panel) && KeyArg(c, 1, out); }

bool Jog(Line& c, ControlCommand& out) {
    out.panel = kPanelJogShuttle;
    return c.Args(1) && c.Number(0, -32767, 32767, out.a, "steps");
}

bool Knob(Line& c, ControlCommand& out) {
    out.panel = kPanelMediaBar;
    if (!c.Args(2) || !c.Number(0, 1, 8, out.a, "knob")) return false;
    out.a -= 1;
    return c.Number(1, -10000, 10000, out.b, "steps");
}

bool Ball(Line& c, ControlCommand& out) {
    out.panel = kPanelTrackball;
    return c.Args(2) && c.Number(0, -10000, 10000, out.a, "dx") && c.Number(1, -10000, 10000, out.b, "dy");
}

bool Ring(Line& c, ControlCommand& out) {
    out.panel = kPanelTrackball;
    return c.Args(1) && c.Number(0, -10000, 10000, out.a, "steps");
}

// Argument i is an Audio fader, 1-8 or "master", as 0-8.
bool FaderArg(Line& c, std::size_t i, int& out) {
    if (Lower(c.Arg(i)) == "master") {
        out = AudioModel::kMaster;
        return true;
    }
    if (!c.Number(i, 1, 8, out, "fader")) return false;
    out -= 1;
    return true;
}

bool Fader(Line& c, ControlCommand& out) {
    out.panel = kPanelAudio;
    return c.Args(2) && FaderArg(c, 0, out.a) && c.Number(1, 0, 255, out.b, "position");
}

bool Firmware(Line& c, ControlCommand& out) {
    return c.Args(3) && c.Panel(0, out.panel) && c.Number(1, 0, 255, out.a, "major") &&
           c.Number(2, 0, 0xFFF, out.b, "build", 16);
}

bool Driver(Line& c, ControlCommand& out) {
    return c.Args(4) && c.Panel(0, out.panel) && c.Number(1, 0, 255, out.a, "major") &&
           c.Number(2, 0, 65535, out.b, "minor") && c.Number(3, 0, 255, out.c, "build");
}

bool FaultGetInterface(Line& c, ControlCommand& out) {
    out.fault = ControlCommand::kFaultGetInterface;
    if (!c.Args(2, 3) || !c.Panel(0, out.panel)) return false;
    if (c.Count() == 3) {
        const std::string which = Lower(c.Arg(1));
        out.device = which == "device" || which == "both";
        out.events = which == "events" || which == "both";
        if (!out.device && !out.events) return c.Fail("expected device, events or both, not '" + c.Arg(1) + "'");
    }
    return c.OnOff(c.Count() - 1, out.on);
}

bool FaultVersionInfo(Line& c, ControlCommand& out) {
    out.fault = ControlCommand::kFaultVersionInfo;
    return c.Args(2) && c.Panel(0, out.panel) && c.OnOff(1, out.on);
}

bool FaultUnplugInDownload(Line& c, ControlCommand& out) {
    out.fault = ControlCommand::kFaultUnplugInDownload;
    return c.Args(2) && c.Panel(0, out.panel) && c.OnOff(1, out.on);
}

bool FaultKey(Line& c, ControlCommand& out, ControlCommand::FaultKind kind) {
    out.fault = kind;
    return c.Args(3) && c.Panel(0, out.panel) && c.OnOff(2, out.on) && KeyArg(c, 1, out);
}

bool FaultStuckKey(Line& c, ControlCommand& out) { return FaultKey(c, out, ControlCommand::kFaultStuckKey); }
bool FaultChatterKey(Line& c, ControlCommand& out) { return FaultKey(c, out, ControlCommand::kFaultChatterKey); }

bool FaultDeadZone(Line& c, ControlCommand& out) {
    out.fault = ControlCommand::kFaultDeadZone;
    out.panel = kPanelAudio;
    if (!c.Args(2, 3) || !FaderArg(c, 0, out.a)) return false;
    if (c.Count() == 2) {
        out.b = 1;
        out.c = 0;
        return Lower(c.Arg(1)) == "off" || c.Fail("expected <from> <to> or off");
    }
    return c.Number(1, 0, 255, out.b, "from") && c.Number(2, 0, 255, out.c, "to");
}

// The Audio faders by number or "master", the Media Bar knobs by number.
bool FaultNoisy(Line& c, ControlCommand& out) {
    out.fault = ControlCommand::kFaultNoisy;
    if (!c.Args(3) || !c.Panel(0, out.panel) || !c.OnOff(2, out.on)) return false;
    if (out.panel == kPanelAudio && Lower(c.Arg(1)) == "master") {
        out.a = AudioModel::kMaster;
        return true;
    }
    if (out.panel != kPanelAudio && out.panel != kPanelMediaBar)
        return c.Fail("only the Audio faders and the Media Bar knobs can be noisy");
    if (!c.Number(1, 1, 8, out.a, out.panel == kPanelAudio ? "fader" : "knob")) return false;
    out.a -= 1;
    return true;
}

bool FaultMotor(Line& c, ControlCommand& out) {
    out.fault = ControlCommand::kFaultMotor;
    out.panel = kPanelAudio;
    if (!c.Args(2) || !FaderArg(c, 0, out.a)) return false;
    out.b = PanelModel::FindName(AudioModel::kMotorFaultNames, AudioModel::kMotorFaultCount, c.Arg(1));
    if (out.b >= 0) return true;
    std::string kinds;
    for (int k = 1; k < AudioModel::kMotorFaultCount; ++k) kinds += std::string(AudioModel::kMotorFaultNames[k]) + ", ";
    return c.Fail("expected " + kinds + "or off, not '" + c.Arg(1) + "'");
}

// Argument 0 names a panel with lamps the program switches.
bool LampPanel(Line& c, ControlCommand& out) {
    if (!c.Panel(0, out.panel)) return false;
    return out.panel != kPanelJogShuttle || c.Fail("only the Audio, Trackball and Media Bar lamps can fail");
}

// Argument i names a lamp of out.panel, given its number as SetLed has it: a
// key's lamp by the key's name, and the Audio panel's OVER and DATA.
bool LampArg(Line& c, std::size_t i, const ControlCommand& out, int& lamp) {
    const KeyNames keys = KeysOf(out.panel);
    lamp = PanelModel::FindName(keys.names, keys.count, c.Arg(i));
    if (lamp < 0 && out.panel == kPanelAudio) {
        const std::string name = Lower(c.Arg(i));
        lamp = name == "over" ? AudioModel::kLedOver : (name == "data" ? AudioModel::kLedData : -1);
    }
    if (lamp >= 0) return true;
    return c.Fail("no lamp '" + c.Arg(i) + "' on " + CommandParser::PanelName(out.panel) +
                  " (lamps: " + KeyList(out.panel) + (out.panel == kPanelAudio ? " OVER DATA" : "") + ")");
}

bool FaultDeadLamp(Line& c, ControlCommand& out) {
    out.fault = ControlCommand::kFaultDeadLamp;
    return c.Args(3) && LampPanel(c, out) && LampArg(c, 1, out, out.a) && c.OnOff(2, out.on);
}

bool FaultShortLamps(Line& c, ControlCommand& out) {
    out.fault = ControlCommand::kFaultShortLamps;
    if (!c.Args(4) || !LampPanel(c, out) || !LampArg(c, 1, out, out.a) || !LampArg(c, 2, out, out.b) ||
        !c.OnOff(3, out.on))
        return false;
    return out.a != out.b || c.Fail("a lamp cannot be shorted to itself");
}

bool FaultUnknownIid(Line& c, ControlCommand& out) { return c.Args(0, 1) && (c.Count() == 0 || c.Panel(0, out.panel)); }

bool FaultConnectionState(Line& c, ControlCommand& out) {
    return c.Args(2) && c.Panel(0, out.panel) && c.Number(1, INT32_MIN, INT32_MAX, out.a, "state");
}

bool Report(Line& c, ControlCommand& out) {
    if (!c.Args(3) || !c.Panel(0, out.panel)) return false;
    if (!ParseBlock(c.Arg(1), out.changes.bytes, sizeof out.changes.bytes))
        return c.Fail("the changes block must be 28 bytes as 56 hex digits");
    if (!ParseBlock(c.Arg(2), out.status.bytes, sizeof out.status.bytes))
        return c.Fail("the status block must be 32 bytes as 64 hex digits");
    return true;
}

bool Storm(Line& c, ControlCommand& out) {
    return c.Args(3) && c.Panel(0, out.panel) && c.Number(1, 1, 5000, out.a, "reports a second") &&
           c.Number(2, 1, 120, out.b, "seconds");
}

bool Wait(Line& c, ControlCommand& out) { return c.Args(1) && c.Number(0, 0, 600000, out.a, "milliseconds"); }

bool Play(Line& c, ControlCommand& out) {
    // The path is the rest of the line, blanks and case kept.
    if (!c.Args(1, CommandParser::kMaxLineLength)) return false;
    std::size_t end = c.rest.size();
    while (end > 0 && (c.rest[end - 1] == ' ' || c.rest[end - 1] == '\t' || c.rest[end - 1] == '\r')) --end;
    out.text = c.rest.substr(0, end);
    return true;
}

bool Status(Line& c, ControlCommand& out) { return c.Args(0, 1) && (c.Count() == 0 || c.Panel(0, out.panel)); }

using V = ControlCommand;
const Command kCommands[] = {
    {"press", "<panel> <key>", "a key goes down", kKeys, V::kPress, Key},
    {"release", "<panel> <key>", "a key comes up", kKeys, V::kRelease, Key},
    {"tap", "<panel> <key>", "down now, up 120 ms later", kKeys, V::kTap, Key},
    {"jog", "<steps>", "turns the jog dial (-32767..32767)", kDials, V::kJog, Jog},
    {"knob", "<1-8> <steps>", "turns a Media Bar knob (-10000..10000)", kDials, V::kKnob, Knob},
    {"ball", "<dx> <dy>", "moves the trackball (-10000..10000 each)", kDials, V::kBall, Ball},
    {"ring", "<steps>", "turns the trackball's Z-ring (-10000..10000)", kDials, V::kRing, Ring},
    {"fader", "<1-8|master> <0-255>", "a hand moves an Audio fader", kDials, V::kFader, Fader},
    {"plug", "<panel>", "plugs the panel in: a power-on", kConnection, V::kPlug, PanelOnly},
    {"unplug", "<panel>", "pulls the panel's plug", kConnection, V::kUnplug, PanelOnly},
    {"powercycle", "<panel>", "off, and on again 800 ms later", kConnection, V::kPowerCycle, PanelOnly},
    {"firmware", "<panel> <major> <build-hex>", "the FLASH version it reports (0-255, 0-fff)", kDownloads, V::kFirmware,
     Firmware},
    {"driver", "<panel> <major> <minor> <build>", "the driver version it reports (0-255, 0-65535, 0-255)", kDownloads,
     V::kDriver, Driver},
    {"fault unplug-in-download", "<panel> on|off", "the next download unplugs the panel half way", kDownloads,
     V::kFault, FaultUnplugInDownload},
    {"fault getinterface", "<panel> [device|events|both] on|off", "GetInterface fails for the panel", kFaults,
     V::kFault, FaultGetInterface},
    {"fault versioninfo", "<panel> on|off", "GetVersionInfo fails", kFaults, V::kFault, FaultVersionInfo},
    {"fault stuck", "<panel> <key> on|off", "the key's release never shows", kFaults, V::kFault, FaultStuckKey},
    {"fault chatter", "<panel> <key> on|off", "every press of the key bounces: down, up, down", kFaults, V::kFault,
     FaultChatterKey},
    {"fault deadzone", "<1-8|master> <from> <to>|off", "an Audio fader reports nothing between from and to", kFaults,
     V::kFault, FaultDeadZone},
    {"fault noisy", "<audio|mediabar> <1-8|master> on|off", "the fader or knob jitters while nobody touches it",
     kFaults, V::kFault, FaultNoisy},
    {"fault motor", "<1-8|master> <kind>|off",
     "an Audio fader's motor fails: stall, slow, overshoot, reversed or crosstalk", kFaults, V::kFault, FaultMotor},
    {"fault deadlamp", "<panel> <lamp> on|off", "the lamp never lights (audio, trackball, mediabar)", kFaults,
     V::kFault, FaultDeadLamp},
    {"fault shortlamps", "<panel> <lamp> <lamp> on|off", "both lamps light when either is on; one pair a panel",
     kFaults, V::kFault, FaultShortLamps},
    {"fault unknown-iid", "[<panel>]", "a report and a callback naming an unknown interface", kFaults, V::kUnknownIid,
     FaultUnknownIid},
    {"fault connection-state", "<panel> <value>", "a connection callback with any 32-bit state", kFaults,
     V::kConnectionState, FaultConnectionState},
    {"storm", "<panel> <per-second> <seconds>", "a flood of reports (1-5000 a second, 1-120 s)", kFaults, V::kStorm,
     Storm},
    {"play", "<path>", "runs a script file, checked whole first", kScripts, V::kPlay, Play},
    {"wait", "<ms>", "in a script: the next lines run that much later", kScripts, V::kWait, Wait},
    {"demo", "", "the built-in demo script, every panel in turn", kScripts, V::kDemo, Nothing},
    {"stop", "", "ends the running script", kScripts, V::kStop, Nothing},
    {"report", "<panel> <changes> <status>", "one report of these bytes (56 and 64 hex digits)", kRecordings,
     V::kReport, Report},
    {"play-recording", "<file> [--speed <n>]", "velsim replays a recorder's recording", kRecordings, V::kNone, nullptr},
    {"show-recording", "<file> [--raw]", "velsim prints a recording as a timeline (--raw: every line)", kRecordings,
     V::kNone, nullptr},
    {"reset", "", "fresh panels; faults, storms and the script off", kSimulator, V::kReset, Nothing},
    {"status", "[<panel>]", "one line per panel, then the script's", kSimulator, V::kStatus, Status},
    {"help", "", "this list", kSimulator, V::kHelp, Nothing},
};

// Levenshtein distance, to name the command a typo was meant to be.
std::size_t Distance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t up = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = up;
        }
    }
    return row[b.size()];
}

std::string UnknownCommand(const std::string& token) {
    const std::string typed = Lower(token);
    std::string nearest;
    std::size_t best = std::string::npos;
    for (const Command& c : kCommands) {
        const std::string word = FirstWord(c.name);
        const std::size_t d = Distance(typed, word);
        if (d < best) {
            best = d;
            nearest = word;
        }
    }
    // Only a near miss is worth naming; anything further off gets the list.
    if (best <= 2 && best < typed.size())
        return "unknown command '" + token + "' (did you mean " + nearest + "? try help)";
    return "unknown command '" + token + "' (try help)";
}

// The kinds of a command family, e.g. "getinterface, versioninfo, ..." for "fault".
std::string Kinds(const std::string& word, const char* separator) {
    std::string s;
    for (const Command& c : kCommands)
        if (FirstWord(c.name) == word) s += (s.empty() ? "" : separator) + SecondWord(c.name);
    return s;
}
}  // namespace

int CommandParser::PanelByName(const std::string& name) {
    const std::string n = Lower(name);
    if (n == "jog" || n == "jogshuttle") return kPanelJogShuttle;
    if (n == "audio") return kPanelAudio;
    if (n == "trackball") return kPanelTrackball;
    if (n == "mediabar") return kPanelMediaBar;
    return -1;
}

const char* CommandParser::PanelName(int panel) {
    static const char* const names[] = {"jog", "audio", "trackball", "mediabar"};
    return panel >= 0 && panel < kPanelCount ? names[panel] : "?";
}

std::vector<std::string> CommandParser::Help() {
    std::size_t width = 0;
    for (const Command& c : kCommands) width = std::max(width, Usage(c).size());
    std::vector<std::string> lines;
    for (int g = 0; g < kGroupCount; ++g) {
        lines.push_back(std::string(kGroupNames[g]) + ":");
        for (const Command& c : kCommands) {
            if (c.group != g) continue;
            const std::string usage = Usage(c);
            lines.push_back("  " + usage + std::string(width + 2 - usage.size(), ' ') + c.what);
        }
    }
    lines.push_back("panels: jog (or jogshuttle), audio, trackball, mediabar; names are case-insensitive,");
    lines.push_back("a wrong key or lamp name is answered with the panel's names (a lamp has its key's name;");
    lines.push_back("audio also has OVER and DATA), # starts a comment");
    return lines;
}

bool CommandParser::Parse(const std::string& line, ControlCommand& out, std::string& error) {
    out = ControlCommand{};
    error.clear();
    if (line.size() > kMaxLineLength) {
        error = "line too long";
        return false;
    }
    for (std::size_t k = 0; k < line.size(); ++k) {
        const unsigned char u = static_cast<unsigned char>(line[k]);
        // A script written with CRLF line ends leaves one "\r" at the end of
        // each line. Anywhere else it (like any control character) would end
        // up in an answer that echoes the line and garble a terminal.
        const bool crlfEnd = u == '\r' && k + 1 == line.size();
        if ((u < 0x20 && u != '\t' && !crlfEnd) || u == 0x7f) {
            error = "control character in line";
            return false;
        }
    }
    std::vector<std::string> t;
    std::vector<std::size_t> at;  // where each token starts
    {
        std::size_t i = 0;
        while (i < line.size()) {
            while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
            if (i >= line.size() || line[i] == '#') break;
            std::size_t j = i;
            while (j < line.size() && line[j] != ' ' && line[j] != '\t' && line[j] != '\r') ++j;
            t.push_back(line.substr(i, j - i));
            at.push_back(i);
            i = j;
        }
    }
    if (t.empty()) return true;  // kNone
    const std::string verb = Lower(t[0]);
    const Command* command = nullptr;
    bool family = false;  // the verb is the first word of two-word commands
    for (const Command& c : kCommands) {
        if (FirstWord(c.name) != verb) continue;
        const std::string kind = SecondWord(c.name);
        if (kind.empty() || (t.size() >= 2 && Lower(t[1]) == kind)) {
            command = &c;
            break;
        }
        family = true;
    }
    if (!command) {
        if (!family)
            error = UnknownCommand(t[0]);
        else if (t.size() < 2)
            error = "usage: " + verb + " " + Kinds(verb, "|") + " ...";
        else
            error = "unknown " + verb + " '" + t[1] + "' (" + Kinds(verb, ", ") + ")";
        return false;
    }
    if (!command->parse) {
        error = verb + " is velsim's own command: velsim " + Usage(*command);
        return false;
    }
    out.verb = command->verb;
    const std::size_t first = SecondWord(command->name).empty() ? 1 : 2;
    const std::string rest = first < t.size() ? line.substr(at[first]) : std::string();
    Line c{t, first, rest, *command, error};
    return command->parse(c, out);
}
