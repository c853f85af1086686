#include "recorder/format/RecordingTimeline.h"

#include "recorder/format/RecordingFormat.h"

namespace {
std::string Joined(const std::vector<std::string>& parts, std::size_t from) {
    std::string s;
    for (std::size_t i = from; i < parts.size(); ++i) s += (s.empty() ? "" : " ") + parts[i];
    return s;
}

std::string Time(double ms) {
    std::string t = RecordingFormat::Milliseconds(ms);
    if (t.size() < 11) t.insert(0, 11 - t.size(), ' ');
    return t + " ms";
}

std::string Thread(std::uint32_t id) {
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    do {
        hex.insert(hex.begin(), kDigits[id & 15]);
        id >>= 4;
    } while (id);
    if (hex.size() < 5) hex.insert(0, 5 - hex.size(), ' ');
    return "t" + hex;
}

std::string Call(const RecordedEvent& e) {
    const std::string target = e.object == "-" ? e.operation : e.object + "." + e.operation;
    return target + "(" + Joined(e.args, 0) + ")";
}

std::string Result(const RecordedEvent& ret) {
    if (ret.args.empty()) return "";
    std::string s = " -> " + ret.args[0];
    if (ret.args.size() > 1) s += "  " + Joined(ret.args, 1);
    return s;
}

std::string Callback(const RecordedEvent& e) {
    switch (e.kind) {
    case RecordedEvent::kReport:
        return e.iid + " report -> " + e.object + "  changes " +
               RecordingFormat::Hex(e.changes.bytes, sizeof e.changes.bytes) + "  status " +
               RecordingFormat::Hex(e.status.bytes, sizeof e.status.bytes);
    case RecordedEvent::kConnection:
        return e.iid + (e.state == 1 ? " connected" : " not connected (state " + std::to_string(e.state) + ")") +
               " -> " + e.object;
    case RecordedEvent::kProgress:
        return "download ended -> " + e.object + "  (" + std::to_string(e.first) + ", " + std::to_string(e.value) + ")";
    default:
        return "";
    }
}
}  // namespace

std::string RecordingTimeline::Format(const std::vector<RecordedEvent>& events) {
    std::string out;
    for (std::size_t i = 0; i < events.size(); ++i) {
        const RecordedEvent& e = events[i];
        std::string what;
        switch (e.kind) {
        case RecordedEvent::kCall: {
            const RecordedEvent* next = i + 1 < events.size() ? &events[i + 1] : nullptr;
            if (next && next->kind == RecordedEvent::kReturn && next->thread == e.thread && next->object == e.object &&
                next->operation == e.operation) {
                what = Call(e) + Result(*next) + "  [" + RecordingFormat::Milliseconds(next->ms - e.ms) + " ms]";
                ++i;
            } else {
                what = Call(e) + " ...";
            }
            break;
        }
        case RecordedEvent::kReturn:
            what = "... " + (e.object == "-" ? e.operation : e.object + "." + e.operation) + Result(e);
            break;
        case RecordedEvent::kNote:
            what = "note: " + e.text;
            break;
        default:
            what = Callback(e);
            break;
        }
        out += Time(e.ms) + "  " + Thread(e.thread) + "  " + what + "\n";
    }
    return out;
}
