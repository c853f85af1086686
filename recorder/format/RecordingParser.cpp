#include "recorder/format/RecordingParser.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "recorder/format/RecordingFormat.h"

namespace {
std::vector<std::string> Tokens(const std::string& line) {
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
        if (i > start) out.push_back(line.substr(start, i - start));
    }
    return out;
}

bool AllDigits(const std::string& s, std::size_t from, std::size_t to) {
    if (from >= to) return false;
    for (std::size_t i = from; i < to; ++i)
        if (s[i] < '0' || s[i] > '9') return false;
    return true;
}

bool ParseMs(const std::string& token, double& out) {
    const std::size_t dot = token.find('.');
    const std::size_t whole = dot == std::string::npos ? token.size() : dot;
    if (whole > 12 || !AllDigits(token, 0, whole)) return false;
    if (dot != std::string::npos && (token.size() - dot - 1 > 6 || !AllDigits(token, dot + 1, token.size())))
        return false;
    out = std::strtod(token.c_str(), nullptr);
    return true;
}

bool ParseThread(const std::string& token, std::uint32_t& out) {
    if (token.size() < 2 || token.size() > 9 || token[0] != 't') return false;
    std::uint32_t v = 0;
    for (std::size_t i = 1; i < token.size(); ++i) {
        const char ch = token[i];
        int d = -1;
        if (ch >= '0' && ch <= '9') d = ch - '0';
        if (ch >= 'a' && ch <= 'f') d = ch - 'a' + 10;
        if (d < 0) return false;
        v = v * 16 + std::uint32_t(d);
    }
    out = v;
    return true;
}

bool ParseInt32(const std::string& token, std::int32_t& out) {
    std::size_t i = token.size() > 0 && token[0] == '-' ? 1 : 0;
    if (token.size() > 11 || !AllDigits(token, i, token.size())) return false;
    const long long v = std::strtoll(token.c_str(), nullptr, 10);
    if (v < -2147483648LL || v > 2147483647LL) return false;
    out = std::int32_t(v);
    return true;
}

// "M1", "D12", "S3"; "-" stands for the library itself.
bool ObjectName(const std::string& token, const char* letters) {
    if (token == "-") return std::strchr(letters, '-') != nullptr;
    return token.size() >= 2 && token.size() <= 10 && token[0] != '-' && std::strchr(letters, token[0]) &&
           AllDigits(token, 1, token.size());
}

// A panel's name, or an identifier no panel has, as "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}".
bool PanelToken(const std::string& token, int& panel) {
    panel = RecordingFormat::PanelByName(token);
    if (panel >= 0) return true;
    if (token.size() != 38 || token.front() != '{' || token.back() != '}') return false;
    for (std::size_t i = 1; i < 37; ++i) {
        const char ch = token[i];
        const bool dash = i == 9 || i == 14 || i == 19 || i == 24;
        if (dash ? ch != '-' : !std::isxdigit(static_cast<unsigned char>(ch))) return false;
    }
    return true;
}

bool Fail(std::string& error, const std::string& why) {
    error = why;
    return false;
}
}  // namespace

bool RecordingParser::ParseLine(const std::string& line, RecordedEvent& out, std::string& error) {
    const std::vector<std::string> t = Tokens(line);
    if (t.size() < 3) return Fail(error, "an event needs a time, a thread and a kind");
    if (!ParseMs(t[0], out.ms)) return Fail(error, "bad time '" + t[0] + "'");
    if (!ParseThread(t[1], out.thread)) return Fail(error, "bad thread '" + t[1] + "'");
    const std::string& kind = t[2];
    const std::size_t n = t.size() - 3;  // tokens after the kind
    if (kind == "call" || kind == "ret") {
        const bool ret = kind == "ret";
        out.kind = ret ? RecordedEvent::kReturn : RecordedEvent::kCall;
        if (n < (ret ? 3u : 2u))
            return Fail(error, kind + " needs an object, an operation" + (ret ? " and a result" : ""));
        if (!ObjectName(t[3], "-MDE")) return Fail(error, "bad object '" + t[3] + "'");
        out.object = t[3];
        out.operation = t[4];
        out.args.assign(t.begin() + 5, t.end());
        return true;
    }
    if (kind == "report" || kind == "connection" || kind == "progress") {
        const std::size_t want = kind == "report" ? 4 : 3;
        if (n != want)
            return Fail(error, kind + " needs " + std::to_string(want) + " fields, not " + std::to_string(n));
        if (!ObjectName(t[3], "S")) return Fail(error, "bad sink '" + t[3] + "'");
        out.object = t[3];
        if (kind == "progress") {
            out.kind = RecordedEvent::kProgress;
            if (!ParseInt32(t[4], out.first) || !ParseInt32(t[5], out.value))
                return Fail(error, "progress values must be 32-bit numbers");
            return true;
        }
        if (!PanelToken(t[4], out.panel)) return Fail(error, "bad panel '" + t[4] + "'");
        out.iid = t[4];
        if (kind == "connection") {
            out.kind = RecordedEvent::kConnection;
            if (!ParseInt32(t[5], out.state)) return Fail(error, "bad connection state '" + t[5] + "'");
            return true;
        }
        out.kind = RecordedEvent::kReport;
        if (!RecordingFormat::ParseHex(t[5], out.changes.bytes, sizeof out.changes.bytes, false))
            return Fail(error, "the changes block must be 28 bytes of hex");
        if (!RecordingFormat::ParseHex(t[6], out.status.bytes, sizeof out.status.bytes, false))
            return Fail(error, "the status block must be 32 bytes of hex");
        return true;
    }
    if (kind == "note") {
        out.kind = RecordedEvent::kNote;
        const std::size_t at = line.find("note");
        out.text = at + 5 < line.size() ? line.substr(at + 5) : std::string();
        return true;
    }
    return Fail(error, "unknown event '" + kind + "'");
}

bool RecordingParser::Parse(const std::string& text, std::vector<RecordedEvent>& events, std::string& error) {
    events.clear();
    error.clear();
    std::size_t begin = 0;
    int lineNo = 0;
    double last = 0;
    auto bad = [&](const std::string& why) {
        error = "line " + std::to_string(lineNo) + ": " + why;
        return false;
    };
    while (begin < text.size()) {
        ++lineNo;
        const std::size_t end = text.find('\n', begin);
        const bool ended = end != std::string::npos;
        std::string line = text.substr(begin, (ended ? end : text.size()) - begin);
        begin = ended ? end + 1 : text.size();
        if (line.size() > kMaxLineLength) return bad("longer than " + std::to_string(kMaxLineLength) + " bytes");
        // The recorder writes each line whole with one write; a line without its end is where a crash cut it.
        if (!ended) return bad("truncated (the line has no end)");
        if (!line.empty() && line.back() == '\r') line.pop_back();
        for (const char ch : line)
            if ((static_cast<unsigned char>(ch) < 0x20 && ch != '\t') || ch == 0x7f)
                return bad("a control character in the line");
        if (lineNo == 1) {
            if (line == RecordingFormat::VersionLine()) continue;
            if (line.compare(0, 6, "tqrec ") == 0)
                return bad("recording format '" + line.substr(6) + "'; this program reads version " +
                           std::to_string(RecordingFormat::kVersion));
            return bad(std::string("not a recording (the first line is not '") + RecordingFormat::VersionLine() + "')");
        }
        if (line.empty() || line[0] == '#') continue;
        RecordedEvent e;
        std::string why;
        if (!ParseLine(line, e, why)) return bad(why);
        if (e.ms < last) return bad("the time goes backwards");
        last = e.ms;
        e.line = lineNo;
        events.push_back(std::move(e));
    }
    if (lineNo == 0) {
        error = "line 1: empty file, not a recording";
        return false;
    }
    return true;
}
