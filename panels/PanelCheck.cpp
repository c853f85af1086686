#include "panels/PanelCheck.h"

#include <utility>

namespace {
int Sign(int v) { return (v > 0) - (v < 0); }
}  // namespace

const char* CheckStateName(CheckState state) {
    switch (state) {
    case CheckState::Untested:
        return "untested";
    case CheckState::Partly:
        return "partly";
    case CheckState::Checked:
        return "checked";
    case CheckState::Stuck:
        return "stuck";
    case CheckState::Chatter:
        return "chatter";
    case CheckState::Failed:
        return "failed";
    case CheckState::Noisy:
        return "noisy";
    }
    return "untested";
}

bool IsFault(CheckState state) {
    return state == CheckState::Stuck || state == CheckState::Chatter || state == CheckState::Failed ||
           state == CheckState::Noisy;
}

int ControlResult::SixteenthsSeen() const {
    int seen = 0;
    for (int n = 0; n < PanelCheck::kSixteenths; ++n) seen += (sixteenths >> n) & 1;
    return seen;
}

CheckState ControlResult::State() const {
    // The engineer's word outranks what the panel said; a fault outranks a pass.
    if (failed) return CheckState::Failed;
    if (stuck) return CheckState::Stuck;
    if (chatter) return CheckState::Chatter;
    if (noisy) return CheckState::Noisy;
    bool complete = false;
    bool seen = false;
    switch (control.kind) {
    case CheckKind::Key:
        complete = presses > 0 && releases > 0;
        seen = presses > 0 || releases > 0;
        break;
    case CheckKind::Fader:
        complete = lowEnd && highEnd && SixteenthsSeen() == PanelCheck::kSixteenths;
        seen = sixteenths != 0;
        break;
    case CheckKind::Steps:
        complete = plus >= PanelCheck::kMinSteps && minus >= PanelCheck::kMinSteps;
        seen = plus > 0 || minus > 0;
        break;
    case CheckKind::Direction:
        complete = plus > 0 && minus > 0;
        seen = plus > 0 || minus > 0;
        break;
    }
    return complete ? CheckState::Checked : seen ? CheckState::Partly : CheckState::Untested;
}

std::string CountsText(const ControlResult& r) {
    switch (r.control.kind) {
    case CheckKind::Key:
        return std::to_string(r.presses) + (r.presses == 1 ? " press, " : " presses, ") + std::to_string(r.releases) +
               (r.releases == 1 ? " release" : " releases");
    case CheckKind::Fader: {
        const char* ends = r.lowEnd && r.highEnd ? "both ends"
                           : r.lowEnd            ? "low end only"
                           : r.highEnd           ? "high end only"
                                                 : "no end";
        return std::string(ends) + ", " + std::to_string(r.SixteenthsSeen()) + " of 16 sixteenths";
    }
    case CheckKind::Steps:
        return "+" + std::to_string(r.plus) + " / -" + std::to_string(r.minus) + " steps";
    case CheckKind::Direction:
        return "+" + std::to_string(r.plus) + " / -" + std::to_string(r.minus) + " movements";
    }
    return {};
}

PanelCheck::PanelCheck(int panel, std::vector<CheckControl> controls) : m_panel(panel) {
    m_controls.reserve(controls.size());
    for (CheckControl& control : controls) {
        if (control.kind == CheckKind::Key && m_keyCount == static_cast<int>(m_controls.size())) ++m_keyCount;
        ControlResult result;
        result.control = std::move(control);
        m_controls.push_back(std::move(result));
    }
}

ControlResult* PanelCheck::At(int control) {
    if (control < 0 || control >= static_cast<int>(m_controls.size())) return nullptr;
    return &m_controls[static_cast<size_t>(control)];
}

void PanelCheck::KeyDown(int control, std::uint64_t ms) {
    ControlResult* r = At(control);
    if (!r) return;
    if (m_input == CheckInput::HandsOff) return MarkNoisy(control);
    m_touched = true;
    ++r->presses;
    if (r->released && !r->down && ms - r->upMs < kChatterMs) r->chatter = true;
    r->down = true;
    r->downMs = ms;
}

void PanelCheck::KeyUp(int control, std::uint64_t ms) {
    ControlResult* r = At(control);
    if (!r) return;
    if (m_input == CheckInput::HandsOff) return MarkNoisy(control);
    m_touched = true;
    ++r->releases;
    if (r->down && ms - r->downMs > kStuckMs) r->stuck = true;
    r->down = false;
    r->released = true;
    r->upMs = ms;
}

void PanelCheck::FaderAt(int control, int position) {
    ControlResult* r = At(control);
    if (!r || position < 0 || position > 255 || m_input == CheckInput::Motors) return;
    if (m_input == CheckInput::HandsOff) return MarkNoisy(control);
    m_touched = true;
    r->lowEnd = r->lowEnd || position <= kFaderLow;
    r->highEnd = r->highEnd || position >= kFaderHigh;
    r->sixteenths = static_cast<std::uint16_t>(r->sixteenths | (1u << (position / 16)));
}

void PanelCheck::Turned(int control, int steps) {
    ControlResult* r = At(control);
    if (!r || steps == 0) return;
    if (m_input == CheckInput::HandsOff) return MarkNoisy(control);
    m_touched = true;
    // A dial direction counts movements, a knob the steps they made.
    const int amount = r->control.kind == CheckKind::Direction ? 1 : (steps > 0 ? steps : -steps);
    (steps > 0 ? r->plus : r->minus) += amount;
}

void PanelCheck::Tick(std::uint64_t ms) {
    for (ControlResult& r : m_controls)
        if (r.down && ms - r.downMs > kStuckMs) r.stuck = true;
}

void PanelCheck::MarkFailed(int control, std::string note) {
    ControlResult* r = At(control);
    if (!r) return;
    m_touched = true;
    r->failed = true;
    r->note = std::move(note);
}

void PanelCheck::MarkNoisy(int control) {
    ControlResult* r = At(control);
    if (!r) return;
    m_touched = true;
    r->noisy = true;
}

int PanelCheck::AddResult(std::string name) {
    for (size_t row = 0; row < m_results.size(); ++row)
        if (m_results[row].name == name) return static_cast<int>(row);
    AutomaticResult row;
    row.name = std::move(name);
    m_results.push_back(std::move(row));
    return static_cast<int>(m_results.size()) - 1;
}

void PanelCheck::SetResult(int row, CheckState state, std::string detail) {
    if (row < 0 || row >= static_cast<int>(m_results.size())) return;
    m_touched = true;
    m_results[static_cast<size_t>(row)].state = state;
    m_results[static_cast<size_t>(row)].detail = std::move(detail);
}

void PanelCheck::SetMotorResult(int row, const MotorFaderResult& motor) {
    if (row >= 0 && row < static_cast<int>(m_results.size())) m_results[static_cast<size_t>(row)].motor = motor;
}

int PanelCheck::CheckedCount() const {
    int checked = 0;
    for (const ControlResult& r : m_controls) checked += r.State() == CheckState::Checked;
    for (const AutomaticResult& r : m_results) checked += r.state == CheckState::Checked;
    return checked;
}

bool PanelCheck::Passed() const { return RowCount() > 0 && CheckedCount() == RowCount(); }

bool PanelCheck::Touched() const { return m_touched; }

// Jog & Shuttle: the keys, then the jog dial (JOG mode, movements) and the
// shuttle (SHUTTLE mode, positions either side of the middle). DMC and OFF
// prove neither.
void PanelCheck::Feed(const JogReportAction& action, std::uint64_t ms) {
    switch (action.kind) {
    case JogReportAction::ShowDialMode:
    case JogReportAction::DialCommand:
        m_dialMode = action.value;
        break;
    case JogReportAction::RotateDial:
        if (m_dialMode == kDialJog) Turned(m_keyCount, action.value);
        if (m_dialMode == kDialShuttle) Turned(m_keyCount + 1, Sign(action.value));
        break;
    case JogReportAction::SetKey:
        if (action.value)
            KeyDown(action.key, ms);
        else
            KeyUp(action.key, ms);
        break;
    }
}

// Audio: the keys, then faders 0 to 8. OVER and DATA follow the master and
// prove nothing of their own.
void PanelCheck::Feed(const AudioAction& action, std::uint64_t ms) {
    switch (action.kind) {
    case AudioAction::KeyDown:
        KeyDown(action.index, ms);
        break;
    case AudioAction::KeyUp:
        KeyUp(action.index, ms);
        break;
    case AudioAction::FaderPos:
        FaderAt(m_keyCount + action.index, action.value);
        break;
    case AudioAction::Over:
    case AudioAction::Data:
        break;
    }
}

// Trackball: the keys, then the ball's X and Y axes and the ring.
void PanelCheck::Feed(const TrackballReportAction& action, std::uint64_t ms) {
    switch (action.kind) {
    case TrackballReportAction::SetKey:
        if (action.value)
            KeyDown(action.index, ms);
        else
            KeyUp(action.index, ms);
        break;
    case TrackballReportAction::MoveBall:
        Turned(m_keyCount, Sign(action.dx));
        Turned(m_keyCount + 1, Sign(action.dy));
        break;
    case TrackballReportAction::RotateRing:
        Turned(m_keyCount + 2, action.value);
        break;
    case TrackballReportAction::SetLed:
        break;
    }
}

// Media Bar: keys A and B, then knobs 0 to 7.
void PanelCheck::Feed(const MediaBarReportAction& action, std::uint64_t ms) {
    switch (action.kind) {
    case MediaBarReportAction::SetKey:
        if (action.value)
            KeyDown(action.index, ms);
        else
            KeyUp(action.index, ms);
        break;
    case MediaBarReportAction::RotateKnob:
        Turned(m_keyCount + action.index, action.value);
        break;
    case MediaBarReportAction::SetLed:
    case MediaBarReportAction::SetLamp:
        break;
    }
}
