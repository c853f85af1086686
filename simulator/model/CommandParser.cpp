#include "CommandParser.h"

#include <cctype>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "AudioModel.h"
#include "JogShuttleModel.h"
#include "MediaBarModel.h"
#include "PanelModel.h"
#include "TrackballModel.h"

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

bool KeyExists(int panel, const std::string& name, std::string& canonical) {
    const char* const* names = nullptr;
    int count = 0;
    switch (panel) {
    case kPanelJogShuttle:
        names = JogShuttleModel::kKeyNames;
        count = JogShuttleModel::kKeyCount;
        break;
    case kPanelAudio:
        names = AudioModel::kKeyNames;
        count = AudioModel::kKeyCount;
        break;
    case kPanelTrackball:
        names = TrackballModel::kKeyNames;
        count = TrackballModel::kKeyCount;
        break;
    case kPanelMediaBar:
        names = MediaBarModel::kKeyNames;
        count = MediaBarModel::kKeyCount;
        break;
    default:
        return false;
    }
    const int k = PanelModel::FindName(names, count, name);
    if (k < 0) return false;
    canonical = names[k];
    return true;
}

std::string KeyList(int panel) {
    const char* const* names = nullptr;
    int count = 0;
    switch (panel) {
    case kPanelJogShuttle:
        names = JogShuttleModel::kKeyNames;
        count = JogShuttleModel::kKeyCount;
        break;
    case kPanelAudio:
        names = AudioModel::kKeyNames;
        count = AudioModel::kKeyCount;
        break;
    case kPanelTrackball:
        names = TrackballModel::kKeyNames;
        count = TrackballModel::kKeyCount;
        break;
    default:
        names = MediaBarModel::kKeyNames;
        count = MediaBarModel::kKeyCount;
        break;
    }
    std::string s;
    for (int i = 0; i < count; ++i) s += (i ? " " : "") + std::string(names[i]);
    return s;
}

struct Ctx {
    const std::vector<std::string>& t;
    std::string& error;
    bool Fail(const std::string& why) {
        error = why;
        return false;
    }
    bool Count(std::size_t lo, std::size_t hi, const char* usage) {
        if (t.size() < lo || t.size() > hi) return Fail(std::string("usage: ") + usage);
        return true;
    }
    bool Panel(std::size_t i, int& out) {
        out = CommandParser::PanelByName(t[i]);
        if (out < 0) return Fail("unknown panel '" + t[i] + "' (jog, audio, trackball, mediabar)");
        return true;
    }
    bool Number(std::size_t i, long long lo, long long hi, int& out, const char* what, int base = 10) {
        if (ParseInt(t[i], base, lo, hi, out)) return true;
        return Fail(std::string(what) + " must be " + (base == 16 ? "hexadecimal " : "") +
                    (base == 16 ? "0..fff" : std::to_string(lo) + ".." + std::to_string(hi)) + ", not '" + t[i] + "'");
    }
    bool OnOff(std::size_t i, bool& out) {
        const std::string v = Lower(t[i]);
        if (v == "on")
            out = true;
        else if (v == "off")
            out = false;
        else
            return Fail("expected on or off, not '" + t[i] + "'");
        return true;
    }
};
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

const char* CommandParser::Usage() {
    return "press|release|tap <panel> <key>; jog <steps>; knob <1-8> <steps>; ball <dx> <dy>; ring <steps>; "
           "fader <1-8|master> <0-255>; plug|unplug|powercycle <panel>; firmware <panel> <major> <build-hex>; "
           "driver <panel> <major> <minor> <build>; fault getinterface <panel> [device|events|both] on|off; "
           "fault versioninfo|unplug-in-download <panel> on|off; fault unknown-iid [<panel>]; "
           "fault connection-state <panel> <value>; report <panel> <changes: 56 hex> <status: 64 hex>; "
           "storm <panel> <per-second> <seconds>; wait <ms>; play <path>; demo; stop; reset; status [<panel>]; help";
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
    std::string rest;  // the raw text after the verb, for "play"
    {
        std::size_t i = 0;
        while (i < line.size()) {
            while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
            if (i >= line.size() || line[i] == '#') break;
            if (t.size() == 1) rest = line.substr(i);
            std::size_t j = i;
            while (j < line.size() && line[j] != ' ' && line[j] != '\t' && line[j] != '\r') ++j;
            t.push_back(line.substr(i, j - i));
            i = j;
        }
    }
    if (t.empty()) return true;  // kNone
    Ctx c{t, error};
    const std::string verb = Lower(t[0]);

    if (verb == "press" || verb == "release" || verb == "tap") {
        out.verb = verb == "press"     ? ControlCommand::kPress
                   : verb == "release" ? ControlCommand::kRelease
                                       : ControlCommand::kTap;
        if (!c.Count(3, 3, "press|release|tap <panel> <key>") || !c.Panel(1, out.panel)) return false;
        if (!KeyExists(out.panel, t[2], out.key))
            return c.Fail("no key '" + t[2] + "' on " + PanelName(out.panel) + " (keys: " + KeyList(out.panel) + ")");
        return true;
    }
    if (verb == "jog") {
        out.verb = ControlCommand::kJog;
        out.panel = kPanelJogShuttle;
        return c.Count(2, 2, "jog <steps>") && c.Number(1, -32767, 32767, out.a, "steps");
    }
    if (verb == "knob") {
        out.verb = ControlCommand::kKnob;
        out.panel = kPanelMediaBar;
        if (!c.Count(3, 3, "knob <1-8> <steps>") || !c.Number(1, 1, 8, out.a, "knob")) return false;
        out.a -= 1;
        return c.Number(2, -10000, 10000, out.b, "steps");
    }
    if (verb == "ball") {
        out.verb = ControlCommand::kBall;
        out.panel = kPanelTrackball;
        return c.Count(3, 3, "ball <dx> <dy>") && c.Number(1, -10000, 10000, out.a, "dx") &&
               c.Number(2, -10000, 10000, out.b, "dy");
    }
    if (verb == "ring") {
        out.verb = ControlCommand::kRing;
        out.panel = kPanelTrackball;
        return c.Count(2, 2, "ring <steps>") && c.Number(1, -10000, 10000, out.a, "steps");
    }
    if (verb == "fader") {
        out.verb = ControlCommand::kFader;
        out.panel = kPanelAudio;
        if (!c.Count(3, 3, "fader <1-8|master> <0-255>")) return false;
        if (Lower(t[1]) == "master") {
            out.a = AudioModel::kMaster;
        } else {
            if (!c.Number(1, 1, 8, out.a, "fader")) return false;
            out.a -= 1;
        }
        return c.Number(2, 0, 255, out.b, "position");
    }
    if (verb == "plug" || verb == "unplug" || verb == "powercycle") {
        out.verb = verb == "plug"     ? ControlCommand::kPlug
                   : verb == "unplug" ? ControlCommand::kUnplug
                                      : ControlCommand::kPowerCycle;
        return c.Count(2, 2, "plug|unplug|powercycle <panel>") && c.Panel(1, out.panel);
    }
    if (verb == "firmware") {
        out.verb = ControlCommand::kFirmware;
        return c.Count(4, 4, "firmware <panel> <major> <build-hex>") && c.Panel(1, out.panel) &&
               c.Number(2, 0, 255, out.a, "major") && c.Number(3, 0, 0xFFF, out.b, "build", 16);
    }
    if (verb == "driver") {
        out.verb = ControlCommand::kDriver;
        return c.Count(5, 5, "driver <panel> <major> <minor> <build>") && c.Panel(1, out.panel) &&
               c.Number(2, 0, 255, out.a, "major") && c.Number(3, 0, 65535, out.b, "minor") &&
               c.Number(4, 0, 255, out.c, "build");
    }
    if (verb == "fault") {
        out.verb = ControlCommand::kFault;
        if (t.size() < 2) return c.Fail("usage: fault getinterface|versioninfo|unplug-in-download|unknown-iid ...");
        const std::string kind = Lower(t[1]);
        if (kind == "unknown-iid") {
            out.verb = ControlCommand::kUnknownIid;
            if (!c.Count(2, 3, "fault unknown-iid [<panel>]")) return false;
            return t.size() == 2 || c.Panel(2, out.panel);
        }
        if (kind == "connection-state") {
            out.verb = ControlCommand::kConnectionState;
            return c.Count(4, 4, "fault connection-state <panel> <value>") && c.Panel(2, out.panel) &&
                   c.Number(3, INT32_MIN, INT32_MAX, out.a, "state");
        }
        if (kind == "getinterface") {
            out.fault = ControlCommand::kFaultGetInterface;
            if (!c.Count(4, 5, "fault getinterface <panel> [device|events|both] on|off") || !c.Panel(2, out.panel))
                return false;
            if (t.size() == 5) {
                const std::string which = Lower(t[3]);
                out.device = which == "device" || which == "both";
                out.events = which == "events" || which == "both";
                if (!out.device && !out.events) return c.Fail("expected device, events or both, not '" + t[3] + "'");
            }
            return c.OnOff(t.size() - 1, out.on);
        }
        if (kind == "versioninfo" || kind == "unplug-in-download") {
            out.fault =
                kind == "versioninfo" ? ControlCommand::kFaultVersionInfo : ControlCommand::kFaultUnplugInDownload;
            return c.Count(4, 4, "fault versioninfo|unplug-in-download <panel> on|off") && c.Panel(2, out.panel) &&
                   c.OnOff(3, out.on);
        }
        return c.Fail("unknown fault '" + t[1] +
                      "' (getinterface, versioninfo, unplug-in-download, unknown-iid, connection-state)");
    }
    if (verb == "report") {
        out.verb = ControlCommand::kReport;
        if (!c.Count(4, 4, "report <panel> <changes: 56 hex digits> <status: 64 hex digits>") || !c.Panel(1, out.panel))
            return false;
        if (!ParseBlock(t[2], out.changes.bytes, sizeof out.changes.bytes))
            return c.Fail("the changes block must be 28 bytes as 56 hex digits");
        if (!ParseBlock(t[3], out.status.bytes, sizeof out.status.bytes))
            return c.Fail("the status block must be 32 bytes as 64 hex digits");
        return true;
    }
    if (verb == "storm") {
        out.verb = ControlCommand::kStorm;
        return c.Count(4, 4, "storm <panel> <per-second> <seconds>") && c.Panel(1, out.panel) &&
               c.Number(2, 1, 5000, out.a, "reports a second") && c.Number(3, 1, 120, out.b, "seconds");
    }
    if (verb == "wait") {
        out.verb = ControlCommand::kWait;
        return c.Count(2, 2, "wait <ms>") && c.Number(1, 0, 600000, out.a, "milliseconds");
    }
    if (verb == "play") {
        out.verb = ControlCommand::kPlay;
        if (t.size() < 2) return c.Fail("usage: play <path>");
        // The path is the rest of the line, blanks and case kept.
        std::size_t end = rest.size();
        while (end > 0 && (rest[end - 1] == ' ' || rest[end - 1] == '\t' || rest[end - 1] == '\r')) --end;
        out.text = rest.substr(0, end);
        return true;
    }
    if (verb == "demo" || verb == "stop" || verb == "reset" || verb == "help") {
        out.verb = verb == "demo"    ? ControlCommand::kDemo
                   : verb == "stop"  ? ControlCommand::kStop
                   : verb == "reset" ? ControlCommand::kReset
                                     : ControlCommand::kHelp;
        return c.Count(1, 1, verb.c_str());
    }
    if (verb == "status") {
        out.verb = ControlCommand::kStatus;
        return c.Count(1, 2, "status [<panel>]") && (t.size() == 1 || c.Panel(1, out.panel));
    }
    return c.Fail("unknown command '" + t[0] + "' (try help)");
}
