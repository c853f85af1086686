#include "recorder/format/ReadableTimeline.h"

#include <array>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "panels/AudioKeys.h"
#include "panels/AudioReport.h"
#include "panels/JogShuttleKeys.h"
#include "panels/JogShuttleReport.h"
#include "panels/MediaBarKeys.h"
#include "panels/MediaBarReport.h"
#include "panels/TrackballKeys.h"
#include "panels/TrackballReport.h"
#include "recorder/format/RecordingFormat.h"
#include "simulator/model/DownloadResult.h"

namespace {
// A control whose next report comes within this time is still the same movement.
constexpr double kMovingMs = 500;
// Status queries this close together are one wait.
constexpr double kQueryGapMs = 1000;
// The calls of opening or closing a window come within this time of each
// other, and all of them within the second.
constexpr double kBurstMs = 300;
constexpr double kBurstLineMs = 1000;
// SetLed calls of one panel this close together are told on one line.
constexpr double kLedBurstMs = 100;
// The end of a download reaches every sink of the panel at once.
constexpr double kEchoMs = 50;

// Run numbers of a panel's controls: faders and knobs by their index.
constexpr int kDialRun = 0;
constexpr int kBallRun = 0;
constexpr int kRingRun = 1;
constexpr int kSetFaderRun = 100;  // + the fader
constexpr int kQueryRun = 200;

const char* const kDialModeNames[] = {"OFF", "JOG", "SHUTTLE", "DMC"};

// Integers only, as the recording's own times: no locale, no float formatting.
std::string Fixed(double value, int decimals) {
    long long scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    long long n = std::llround(value * double(scale));
    const std::string sign = n < 0 ? "-" : "";
    n = std::llabs(n);
    std::string fraction = std::to_string(n % scale);
    fraction.insert(0, std::size_t(decimals) - fraction.size(), '0');
    return sign + std::to_string(n / scale) + "." + fraction;
}

std::string Duration(double ms) {
    return ms < 95 ? std::to_string(std::lround(ms)) + " ms" : Fixed(ms / 1000, 1) + " s";
}

// A key's hold: milliseconds tell a bounce from a press.
std::string Held(double ms) { return ms < 1000 ? std::to_string(std::lround(ms)) + " ms" : Duration(ms); }

std::string Signed(int v) { return (v > 0 ? "+" : "") + std::to_string(v); }

std::string Padded(std::string text, std::size_t width, bool right) {
    if (text.size() < width) text.insert(right ? 0 : text.size(), width - text.size(), ' ');
    return text;
}

long Number(const std::string& text, long otherwise) {
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    return end && *end == 0 && !text.empty() ? v : otherwise;
}

// The status a call answered (INT_MIN when it has no answer).
long StatusOf(const RecordedEvent* ret) { return ret && !ret->args.empty() ? Number(ret->args[0], INT_MIN) : INT_MIN; }

bool Succeeded(const RecordedEvent* ret) {
    const long status = StatusOf(ret);
    return status != INT_MIN && status >= 0;
}

// What a call that went wrong gets after its own words.
std::string Failure(const RecordedEvent* ret) {
    if (!ret || ret->args.empty()) return " (no answer)";
    const long status = StatusOf(ret);
    return status != INT_MIN && status >= 0 ? "" : " failed (status " + ret->args[0] + ")";
}

// The block a call carried or got back ("=<hex>"), trailing zeros left out.
bool Block(const std::vector<std::string>& args, std::uint8_t* out, std::size_t count) {
    for (const std::string& a : args)
        if (!a.empty() && a[0] == '=') return RecordingFormat::ParseHex(a.substr(1), out, count, true);
    return false;
}

// A path as written in a recording, with its %xx escapes undone.
std::string Unescaped(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint8_t byte = 0;
        if (text[i] == '%' && i + 2 < text.size() &&
            RecordingFormat::ParseHex(text.substr(i + 1, 2), &byte, 1, false)) {
            out += char(byte);
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string Joined(const std::vector<std::string>& items, const char* separator) {
    std::string s;
    for (const std::string& item : items) s += (s.empty() ? "" : separator) + item;
    return s;
}

// By the names printed on the panel, from the windows' own key tables.
std::string KeyName(int panel, int key) {
    const char* name = nullptr;
    switch (panel) {
    case kPanelJogShuttle:
        if (key >= 0 && key < kJogKeyCount) name = kJogKeys[key].name;
        break;
    case kPanelAudio:
        if (key >= 0 && key < kAudioKeyCount) name = kAudioKeys[key].name;
        break;
    case kPanelTrackball:
        if (key >= 0 && key < kTrackballKeyCount) name = kTrackballKeys[key].name;
        break;
    case kPanelMediaBar:
        if (key >= 0 && key < kMediaBarKeyCount) name = kMediaBarKeys[key].name;
        break;
    default:
        break;
    }
    return name ? name : "key " + std::to_string(key + 1);
}

std::string LedName(int panel, long led) {
    if (panel == kPanelAudio) {
        if (led == kAudioLedOver) return "OVER";
        if (led == kAudioLedData) return "DATA";
        for (int k = 0; k < kAudioKeyCount; ++k)
            if (AudioLedOfKey(k) == led) return KeyName(panel, k);
    } else if (panel == kPanelTrackball) {
        if (led >= 0 && led < kTrackballKeyCount) return KeyName(panel, int(led));
    } else if (panel == kPanelMediaBar) {
        for (int k = 0; k < kMediaBarKeyCount; ++k)
            if (kMediaBarKeys[k].led == led) return KeyName(panel, k);
    }
    return "LED " + std::to_string(led);
}

// As velsim numbers them: 1 to 8, and the master.
std::string FaderNumber(int fader) { return fader == kAudioMasterFader ? "master" : std::to_string(fader + 1); }
std::string FaderName(int fader) { return fader == kAudioMasterFader ? "master" : "fader " + FaderNumber(fader); }

std::string OnOff(const std::string& state) {
    const long v = Number(state, -1);
    return v == 1 ? "on" : v == 0 ? "off" : state;
}

// "40 → 212 over 0.8 s", or "at 40" when it was one report.
std::string Travel(int first, int last, int count, double ms) {
    if (count == 1) return "at " + std::to_string(last);
    return std::to_string(first) + " → " + std::to_string(last) + " over " + Duration(ms);
}

std::string Over(int count, double ms) { return count == 1 ? "" : " over " + Duration(ms); }
}  // namespace

std::string ReadableTimeline::Format(const std::vector<RecordedEvent>& events) {
    const ReadableTimeline timeline(events);
    std::string out;
    for (const Line& line : timeline.m_lines) {
        const char* panel = RecordingFormat::PanelName(line.panel);
        out += Padded(Fixed(line.ms / 1000, 3), 8, true) + "  " + Padded(panel ? panel : "", 9, false) + "  " +
               line.text + "\n";
    }
    return out;
}

ReadableTimeline::ReadableTimeline(const std::vector<RecordedEvent>& events) {
    for (int p = 0; p < kPanelCount; ++p) {
        m_lastLine[p] = kNone;
        m_ledLine[p] = kNone;
        m_connection[p] = INT_MIN;
    }
    // A call's answer is the next line of its thread when it names the same
    // operation; callbacks of the library's thread may come in between.
    std::vector<std::size_t> answer(events.size(), kNone);
    std::vector<bool> answers(events.size(), false);
    std::map<std::uint32_t, std::size_t> open;
    for (std::size_t i = 0; i < events.size(); ++i) {
        const RecordedEvent& e = events[i];
        if (e.kind == RecordedEvent::kCall) {
            open[e.thread] = i;
        } else if (e.kind == RecordedEvent::kReturn) {
            const auto it = open.find(e.thread);
            if (it != open.end() && events[it->second].object == e.object &&
                events[it->second].operation == e.operation) {
                answer[it->second] = i;
                answers[i] = true;
                open.erase(it);
            }
        }
    }
    for (std::size_t i = 0; i < events.size(); ++i) {
        const RecordedEvent& e = events[i];
        switch (e.kind) {
        case RecordedEvent::kCall:
            Call(e, answer[i] == kNone ? nullptr : &events[answer[i]]);
            break;
        case RecordedEvent::kReturn:
            if (!answers[i])
                Add(e.ms, PanelOf(e.object),
                    e.operation + " answered " + Joined(e.args, " ") + " (its call is not in the recording)");
            break;
        case RecordedEvent::kReport:
            Report(e);
            break;
        case RecordedEvent::kConnection:
            Connection(e);
            break;
        case RecordedEvent::kProgress:
            Progress(e);
            break;
        case RecordedEvent::kNote:
            Add(e.ms, -1, "note: " + e.text);
            break;
        }
    }
}

std::size_t ReadableTimeline::Add(double ms, int panel, const std::string& text) {
    m_lines.push_back({ms, panel, text});
    if (panel >= 0 && panel < kPanelCount) m_lastLine[panel] = m_lines.size() - 1;
    return m_lines.size() - 1;
}

ReadableTimeline::Run& ReadableTimeline::Continue(int panel, int control, double ms, double gapMs, int mode) {
    Run& run = m_runs[{panel, control}];
    if (run.line == kNone || ms - run.lastMs > gapMs || run.mode != mode) {
        run = Run{};
        run.line = Add(ms, panel, "");
        run.firstMs = ms;
        run.mode = mode;
    }
    run.lastMs = ms;
    ++run.count;
    return run;
}

int ReadableTimeline::PanelOf(const std::string& object) const {
    const auto it = m_panelOf.find(object);
    return it == m_panelOf.end() ? -1 : it->second;
}

void ReadableTimeline::Call(const RecordedEvent& call, const RecordedEvent* ret) {
    const std::string& op = call.operation;
    const int panel = PanelOf(call.object);
    const char* panelName = RecordingFormat::PanelName(panel);
    const std::string arg = call.args.empty() ? "" : call.args[0];
    if (op == "CreateDeviceManager") {
        Plumbing(call.ms, "CreateDeviceManager →", ret && !ret->args.empty() ? ret->args[0] : "(no answer)");
    } else if (op == "GetInterface") {
        const std::size_t dot = arg.find('.');
        const int wanted = RecordingFormat::PanelByName(arg.substr(0, dot));
        const std::string got = ret && ret->args.size() > 1 ? ret->args[1] : "";
        if (wanted >= 0 && Succeeded(ret) && got != "null" && !got.empty()) {
            m_panelOf[got] = wanted;
            Plumbing(call.ms, "opens", RecordingFormat::PanelName(wanted));
        } else {
            Plumbing(call.ms, "", "");
            Add(call.ms, wanted, "GetInterface " + arg + (Succeeded(ret) ? " → " + got : Failure(ret)));
        }
    } else if (op == "Advise" && panelName) {
        m_panelOf[arg] = panel;
        Plumbing(call.ms, "opens", panelName);
        if (!Succeeded(ret)) Add(call.ms, panel, "Advise" + Failure(ret));
    } else if ((op == "Unadvise" || op == "Release") && panelName) {
        Plumbing(call.ms, "closes", panelName);
    } else if (op == "Release" && !call.object.empty() && call.object[0] == 'M') {
        Plumbing(call.ms, "releases", call.object);
    } else if (op == "GetVersionInfo" && panelName && Succeeded(ret)) {
        Plumbing(call.ms, "reads the versions of", panelName);
    } else if (op == "GetDeviceStatus" && panelName) {
        StatusQuery(panel, call.ms, ret);
    } else if (panelName && (op == "SetDialMode" || op == "SetMode" || op == "SetLed" || op == "SetFader" ||
                             op == "GetState" || op == "DownloadProgram" || op == "FinishDownload")) {
        Command(panel, call, ret);
    } else {
        std::string answer = ret ? " → " + Joined(ret->args, " ") : " (no answer)";
        Add(call.ms, panel, call.object + " " + op + (call.args.empty() ? "" : " " + Joined(call.args, " ")) + answer);
    }
}

// The line goes on while nothing else is told in between; only its latest
// phrase takes more items, so what the program did stays in its order.
void ReadableTimeline::Plumbing(double ms, const std::string& words, const std::string& item) {
    const bool goesOn = m_calls.line != kNone && m_calls.line + 1 == m_lines.size() && ms - m_burstMs <= kBurstMs &&
                        ms - m_lines[m_calls.line].ms <= kBurstLineMs;
    m_burstMs = ms;
    if (!goesOn) m_calls = CallsLine{};
    if (words.empty()) return;
    if (m_calls.line == kNone) m_calls.line = Add(ms, -1, "");
    if (words != m_calls.words) {
        if (!m_calls.words.empty()) m_calls.told += m_calls.words + " " + Joined(m_calls.items, ", ") + "; ";
        m_calls.words = words;
        m_calls.items.clear();
    }
    for (const std::string& have : m_calls.items)
        if (have == item) return;
    m_calls.items.push_back(item);
    m_lines[m_calls.line].text = m_calls.told + words + " " + Joined(m_calls.items, ", ");
}

void ReadableTimeline::StatusQuery(int panel, double ms, const RecordedEvent* ret) {
    PanelDeviceStatus status{};
    const bool read = Succeeded(ret) && Block(ret->args, status.bytes, sizeof status.bytes);
    Download& download = m_download[panel];
    if (download.ended && !download.resultRead && read) {
        // The program reads the result once the end is reported.
        const std::int32_t result = ReadLe32(status.bytes, kStatusDownloadResultOffset);
        m_lines[download.endLine].text += ": result " + std::to_string(result) + ", " + download::ResultName(result);
        download.resultRead = true;
        return;
    }
    const bool downloading = download.running && !download.ended;
    Run& run = downloading ? download.queries : Continue(panel, kQueryRun, ms, kQueryGapMs);
    if (downloading) {
        if (run.line == kNone) {
            run.line = Add(ms, panel, "");
            run.firstMs = ms;
        }
        run.lastMs = ms;
        ++run.count;
    }
    const int value = ReadLe32(status.bytes, downloading ? kStatusDownloadPositionOffset : kStatusPendingOffset);
    if (read) {
        if (!run.seen) run.first = value;
        run.last = value;
        run.seen = true;
        run.total = ReadLe32(status.bytes, kStatusDownloadTotalOffset);
        run.pending = run.pending || value != 0;
    } else {
        ++run.failed;
    }
    std::string text = run.count == 1
                           ? "status query"
                           : std::to_string(run.count) + " status queries over " + Duration(run.lastMs - run.firstMs);
    if (downloading && run.seen)
        text += ", progress " +
                (run.first == run.last ? "at " + std::to_string(run.last)
                                       : std::to_string(run.first) + " → " + std::to_string(run.last)) +
                " of " + std::to_string(run.total) + " bytes";
    else if (run.pending)
        text += ", pending " + (run.first == run.last ? std::to_string(run.last)
                                                      : std::to_string(run.first) + " → " + std::to_string(run.last));
    if (run.failed) text += ", " + std::to_string(run.failed) + " failed";
    m_lines[run.line].text = text;
}

void ReadableTimeline::Command(int panel, const RecordedEvent& call, const RecordedEvent* ret) {
    const std::string& op = call.operation;
    const auto arg = [&](std::size_t i) { return i < call.args.size() ? call.args[i] : std::string(); };
    if (op == "SetDialMode") {
        std::array<std::uint8_t, kDialModeBlockSize> block{};
        std::string mode = arg(0);
        for (int m = 0; m < 4 && Block(call.args, block.data(), block.size()); ++m)
            if (JogDialModeBlock(m) == block) mode = kDialModeNames[m];
        Add(call.ms, panel, "SetDialMode " + mode + Failure(ret));
    } else if (op == "SetMode") {
        const long mode = Number(arg(0), -1);
        Add(call.ms, panel, "SetMode " + (mode == 0 ? "Normal" : mode == 1 ? "Test" : arg(0)) + Failure(ret));
    } else if (op == "SetLed") {
        const std::string item = LedName(panel, Number(arg(0), -1)) + " " + OnOff(arg(1)) + Failure(ret);
        if (m_ledLine[panel] != kNone && m_ledLine[panel] == m_lastLine[panel] &&
            call.ms - m_ledMs[panel] <= kLedBurstMs) {
            m_lines[m_ledLine[panel]].text += ", " + item;
        } else {
            m_ledLine[panel] = Add(call.ms, panel, "SetLed " + item);
        }
        m_ledMs[panel] = call.ms;
    } else if (op == "SetFader") {
        const int fader = int(Number(arg(0), -1));
        const std::string name = "SetFader " + (fader >= 0 && fader < kAudioFaderCount ? FaderNumber(fader) : arg(0));
        const int pos = int(Number(arg(2), 0));
        if (Number(arg(1), 0) == 0) {
            Add(call.ms, panel, name + " let go" + Failure(ret));
        } else if (!Succeeded(ret)) {
            Add(call.ms, panel, name + " to " + arg(2) + Failure(ret));
        } else {
            Run& run = Continue(panel, kSetFaderRun + fader, call.ms, kMovingMs);
            if (run.count == 1) run.first = pos;
            run.last = pos;
            m_lines[run.line].text =
                name + (run.count == 1 ? " to " + std::to_string(pos)
                                       : " " + Travel(run.first, run.last, run.count, run.lastMs - run.firstMs));
        }
    } else if (op == "GetState") {
        PanelStatus state{};
        if (panel != kPanelAudio || !Succeeded(ret) || !Block(ret->args, state.bytes, sizeof state.bytes)) {
            Add(call.ms, panel, "GetState" + Failure(ret));
            return;
        }
        std::string channels, master, lamps;
        for (const AudioAction& a : AudioFaderSync(state)) {
            if (a.kind != AudioAction::FaderPos) continue;
            if (a.index == kAudioMasterFader)
                master = std::to_string(a.value);
            else
                channels += (channels.empty() ? "" : " ") + std::to_string(a.value);
        }
        for (int k = 0; k < kAudioKeyCount; ++k)
            if (AudioLampInState(state, k)) lamps += (lamps.empty() ? "" : " ") + KeyName(panel, k);
        Add(call.ms, panel,
            "GetState: faders " + channels + ", master " + master + "; lamps lit: " + (lamps.empty() ? "none" : lamps));
    } else if (op == "DownloadProgram") {
        Download& download = m_download[panel];
        download = Download{};
        const std::string file = "DownloadProgram " + Unescaped(arg(0));
        if (Succeeded(ret)) {
            download.running = true;
            Add(call.ms, panel, file + ": started");
        } else {
            Add(call.ms, panel, file + Failure(ret));
        }
    } else if (op == "FinishDownload") {
        m_download[panel] = Download{};
        Add(call.ms, panel, "FinishDownload" + Failure(ret));
    }
}

void ReadableTimeline::Report(const RecordedEvent& e) {
    const int panel = e.panel;
    if (panel < 0 || panel >= kPanelCount) {
        Add(e.ms, -1, "report for an interface of no panel " + e.iid);
        return;
    }
    if (m_echo.Repeats(e)) return;
    switch (panel) {
    case kPanelJogShuttle:
        for (const JogReportAction& a : DecodeJogShuttleReport(e.changes, e.status)) {
            if (a.kind == JogReportAction::ShowDialMode) {
                m_jogMode = a.value;
                Add(e.ms, panel,
                    "dial mode " + (a.value >= 0 && a.value < 4 ? kDialModeNames[a.value] : std::to_string(a.value)));
            } else if (a.kind == JogReportAction::RotateDial) {
                Dial(panel, kDialRun, e.ms, a.value, m_jogMode);
            } else if (a.kind == JogReportAction::SetKey) {
                Key(panel, a.key, a.value != 0, e.ms);
            }
            // DialCommand: the window answers keys A to D with SetDialMode, told as that.
        }
        break;
    case kPanelAudio:
        for (const AudioAction& a : DecodeAudioReport(e.changes, e.status)) {
            if (a.kind == AudioAction::KeyDown || a.kind == AudioAction::KeyUp) {
                Key(panel, a.index, a.kind == AudioAction::KeyDown, e.ms);
            } else if (a.kind == AudioAction::FaderPos) {
                Run& run = Continue(panel, a.index, e.ms, kMovingMs);
                if (run.count == 1) run.first = a.value;
                run.last = a.value;
                m_lines[run.line].text =
                    FaderName(a.index) + " " + Travel(run.first, run.last, run.count, run.lastMs - run.firstMs);
            }
            // OVER and DATA follow the master; the window's SetLed calls tell them.
        }
        break;
    case kPanelTrackball:
        for (const TrackballReportAction& a : DecodeTrackballReport(e.changes, e.status)) {
            if (a.kind == TrackballReportAction::SetKey) {
                Key(panel, a.index, a.value != 0, e.ms);
            } else if (a.kind == TrackballReportAction::MoveBall) {
                int dx = 0, dy = 0;
                TrackballBallMovement(e.status, dx, dy);
                Run& run = Continue(panel, kBallRun, e.ms, kMovingMs);
                run.sumX += dx;
                run.sumY += dy;
                m_lines[run.line].text =
                    "ball " + Signed(run.sumX) + " " + Signed(run.sumY) + Over(run.count, run.lastMs - run.firstMs);
            } else if (a.kind == TrackballReportAction::RotateRing) {
                Dial(panel, kRingRun, e.ms, a.value, -1);
            }
        }
        break;
    case kPanelMediaBar:
        for (const MediaBarReportAction& a : DecodeMediaBarReport(e.changes, e.status, kMediaBarKnobCount)) {
            if (a.kind == MediaBarReportAction::SetKey) {
                Key(panel, a.index, a.value != 0, e.ms);
            } else if (a.kind == MediaBarReportAction::SetLamp) {
                Add(e.ms, panel, "lamp " + KeyName(panel, a.index) + (a.value ? " on" : " off"));
            } else if (a.kind == MediaBarReportAction::RotateKnob) {
                Dial(panel, 1 + a.index, e.ms, a.value, -1);  // knobs 1 to 8, as velsim numbers them
            }
        }
        break;
    default:
        break;
    }
}

void ReadableTimeline::Key(int panel, int key, bool down, double ms) {
    const std::string name = KeyName(panel, key);
    const auto it = m_keyDown.find({panel, key});
    if (down) {
        m_keyDown[{panel, key}] = {Add(ms, panel, name + " down"), ms};
    } else if (it != m_keyDown.end() && it->second.first == m_lastLine[panel]) {
        // Nothing else happened on the panel while it was down: one line.
        m_lines[it->second.first].text = name + " down, up after " + Held(ms - it->second.second);
    } else {
        Add(ms, panel, name + " up");
    }
    if (!down && it != m_keyDown.end()) m_keyDown.erase(it);
}

// The jog dial (by its mode), the ring and the knobs: movements added up, or a
// position's travel in SHUTTLE and DMC.
void ReadableTimeline::Dial(int panel, int control, double ms, int value, int mode) {
    Run& run = Continue(panel, control, ms, kMovingMs, mode);
    std::string name = panel == kPanelTrackball  ? "ring"
                       : panel == kPanelMediaBar ? "knob " + std::to_string(control)
                                                 : "dial";
    if (panel == kPanelJogShuttle && (mode == kDialShuttle || mode == kDialDmc)) {
        if (run.count == 1) run.first = value;
        run.last = value;
        name = mode == kDialShuttle ? "shuttle" : "dmc";
        m_lines[run.line].text = name + " " + Travel(run.first, run.last, run.count, run.lastMs - run.firstMs);
        return;
    }
    if (panel == kPanelJogShuttle && mode == kDialJog) name = "jog";
    run.sumX += value;
    m_lines[run.line].text = name + " " + Signed(run.sumX) + Over(run.count, run.lastMs - run.firstMs);
}

void ReadableTimeline::Connection(const RecordedEvent& e) {
    if (e.panel < 0 || e.panel >= kPanelCount) {
        Add(e.ms, -1, "connection state " + std::to_string(e.state) + " for an interface of no panel " + e.iid);
        return;
    }
    // Every sink is told the state when it is advised: only a change is news.
    if (m_echo.Repeats(e) || m_connection[e.panel] == e.state) return;
    m_connection[e.panel] = e.state;
    Add(e.ms, e.panel,
        e.state == 1   ? "connected"
        : e.state == 0 ? "not connected"
                       : "connection state " + std::to_string(e.state));
}

void ReadableTimeline::Progress(const RecordedEvent& e) {
    const int panel = PanelOf(e.object);
    const std::string args =
        e.first || e.value ? " (" + std::to_string(e.first) + ", " + std::to_string(e.value) + ")" : "";
    if (panel < 0) {
        Add(e.ms, -1, "download ended at " + e.object + args);
        return;
    }
    Download& download = m_download[panel];
    if (download.ended && e.ms - download.endMs <= kEchoMs) return;  // the same end, at the next sink
    download.running = true;
    download.ended = true;
    download.endMs = e.ms;
    download.endLine = Add(e.ms, panel, "download ended" + args);
}
