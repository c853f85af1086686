// The Panel Check's rules: which controls of one panel have been proven, which
// misbehaved, and the verdict. Fed with the actions the panel window already
// decodes from each report, with the time the window took the report; it has
// no clock and no window of its own, so its rules run natively with made-up
// times.
//
// A key is checked once a press and its release have been seen; held longer
// than kStuckMs it is stuck, pressed again less than kChatterMs after its
// release it chatters. A fader is checked once both ends (at most kFaderLow, at
// least kFaderHigh) and every sixteenth of its travel have been reported, so a
// dead zone keeps it from passing. A knob or ring needs kMinSteps steps each
// way; a dial direction (jog, shuttle, a ball axis) one movement each way. The
// faults stay once seen: a key that stuck once is not trusted again.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "panels/AudioReport.h"
#include "panels/JogShuttleReport.h"
#include "panels/MediaBarReport.h"
#include "panels/MotorCheck.h"
#include "panels/TrackballReport.h"

enum class CheckKind {
    Key,        // press and release
    Fader,      // both ends and every sixteenth
    Steps,      // knob, ring: kMinSteps each way
    Direction,  // jog, shuttle, ball axis: each way once
};

// Whose movements the reports show: the engineer's hands (the rules above),
// nobody's (the hands-off check: whatever moves is noise), or the fader motors
// (a fader they move proves nothing of its track under a hand; keys still count).
enum class CheckInput { Hands, HandsOff, Motors };

enum class CheckState { Untested, Partly, Checked, Stuck, Chatter, Failed, Noisy };

// "untested", "partly", "checked", "stuck", "chatter", "failed", "noisy".
const char* CheckStateName(CheckState state);
// Stuck, chatter, failed and noisy.
bool IsFault(CheckState state);

struct CheckControl {
    std::string name;  // as printed on the panel
    CheckKind kind;
};

// One control's evidence so far.
struct ControlResult {
    CheckControl control;
    int presses = 0;
    int releases = 0;
    int plus = 0;   // Steps: steps turned up; Direction: movements up
    int minus = 0;  // the same downwards
    bool lowEnd = false;
    bool highEnd = false;
    std::uint16_t sixteenths = 0;  // bit n: a position in [16 n, 16 n + 15] was reported
    bool stuck = false;
    bool chatter = false;
    bool noisy = false;
    bool failed = false;
    std::string note;  // why it was marked failed

    // Held down now, since downMs; the last release at upMs.
    bool down = false;
    bool released = false;
    std::uint64_t downMs = 0;
    std::uint64_t upMs = 0;

    CheckState State() const;
    int SixteenthsSeen() const;
};

// Counts in a few words ("3 presses", "+12 / -10 steps", "ends low and high,
// 14 of 16 sixteenths"): the Panel Check window and the report say the same.
std::string CountsText(const ControlResult& result);

// A row that an automatic check (not a hand on a control) fills in.
struct AutomaticResult {
    std::string name;
    CheckState state = CheckState::Untested;
    std::string detail;
    // A fader motor's figures, for the report's motor table.
    std::optional<MotorFaderResult> motor;
};

class PanelCheck {
public:
    static constexpr std::uint64_t kStuckMs = 8000;
    static constexpr std::uint64_t kChatterMs = 30;
    static constexpr int kFaderLow = 5;
    static constexpr int kFaderHigh = 250;
    static constexpr int kSixteenths = 16;
    static constexpr int kMinSteps = 10;

    // controls: the panel's keys first, in the order its decoder numbers them,
    // then the panel's other controls in the order its Feed expects them
    // (PanelCheckControls builds the list from the layouts).
    PanelCheck(int panel, std::vector<CheckControl> controls);

    int Panel() const { return m_panel; }

    // What one report step means to the check; ms is when the window took it.
    void Feed(const JogReportAction& action, std::uint64_t ms);
    void Feed(const AudioAction& action, std::uint64_t ms);
    void Feed(const TrackballReportAction& action, std::uint64_t ms);
    void Feed(const MediaBarReportAction& action, std::uint64_t ms);

    // The rules themselves, by control index.
    void KeyDown(int control, std::uint64_t ms);
    void KeyUp(int control, std::uint64_t ms);
    void FaderAt(int control, int position);
    void Turned(int control, int steps);
    // Time passes without reports: a key held past kStuckMs becomes stuck.
    void Tick(std::uint64_t ms);

    // The engineer's word: a control that never showed, with why.
    void MarkFailed(int control, std::string note);
    // The idle check's finding: the control moved while nobody touched it.
    void MarkNoisy(int control);
    void SetInput(CheckInput input) { m_input = input; }
    CheckInput Input() const { return m_input; }

    // Rows of the automatic checks, after the controls: the row of that name,
    // added on its first use, so that a check run again fills in its old rows.
    int AddResult(std::string name);
    void SetResult(int row, CheckState state, std::string detail);
    void SetMotorResult(int row, const MotorFaderResult& motor);
    // How long the last complete motor check took; -1 before one.
    std::int64_t MotorCheckMs() const { return m_motorCheckMs; }
    void SetMotorCheckMs(std::int64_t ms) { m_motorCheckMs = ms; }

    const std::vector<ControlResult>& Controls() const { return m_controls; }
    const std::vector<AutomaticResult>& Results() const { return m_results; }
    // Rows (controls and automatic results) in the Checked state, and all rows.
    int CheckedCount() const;
    int RowCount() const { return static_cast<int>(m_controls.size() + m_results.size()); }
    // PASS: every row checked, none faulty. An untested row never passes.
    bool Passed() const;
    // Anything at all has been seen or marked: the panel was checked this session.
    bool Touched() const;

private:
    ControlResult* At(int control);

    int m_panel;
    std::vector<ControlResult> m_controls;
    std::vector<AutomaticResult> m_results;
    // The keys lead the list; the panel's other controls follow from here.
    int m_keyCount = 0;
    // The Jog & Shuttle dial mode as last reported or commanded; -1 before any,
    // when a turn cannot be told apart as jog or shuttle.
    int m_dialMode = -1;
    bool m_touched = false;
    CheckInput m_input = CheckInput::Hands;
    std::int64_t m_motorCheckMs = -1;
};
