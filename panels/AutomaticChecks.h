// The Panel Check's automatic checks on one panel window: the motor-fader
// check, the lamp walk and the hands-off check. One runs at a time. Each puts
// its findings into the panel's check as rows (and, hands off, as noisy
// controls) and leaves the panel as it found it: faders handed back and shown
// where the panel has them, lamps as the window showed them, the mode the
// window showed.
//
// Modes: the motor check and the lamp walk run in Test. They drive what the
// panel otherwise drives for the editing system, and Test is the state the
// panel is put in for service; it also disables "ProgramDownLoad", so no
// download can start while faders are held or lamps stand in a pattern. The
// hands-off check sends nothing and runs in whatever mode the panel is in.
//
// Window-free: the time is passed in, the window is an ICheckTarget.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "panels/ICheckTarget.h"
#include "panels/LampWalk.h"
#include "panels/MotorCheck.h"
#include "panels/PanelCheck.h"

enum class AutoCheck { None, Motors, Lamps, HandsOff };

class AutomaticChecks {
public:
    static constexpr std::int64_t kHandsOffMs = 10000;

    AutomaticChecks(PanelCheck& check, ICheckTarget& target) : m_check(check), m_target(target) {}
    AutomaticChecks(const AutomaticChecks&) = delete;
    AutomaticChecks& operator=(const AutomaticChecks&) = delete;

    // The check can be done on this panel at all.
    bool Offers(AutoCheck kind) const;
    // Empty when it started; otherwise why not, in a sentence for the window.
    std::string Start(AutoCheck kind, std::int64_t ms);
    // Ends whatever runs; what was found so far stays.
    void Stop(std::int64_t ms);
    AutoCheck Running() const { return m_running; }

    // The positions of every fader in a report the panel sent at ms.
    void FaderReport(std::int64_t ms, const MotorCheck::Positions& positions);
    void Tick(std::int64_t ms);
    // When Tick next has something to do; -1 when it has nothing.
    std::int64_t Deadline() const;
    // The engineer's answer to the lamp walk's step: the panel shows what the picture shows.
    void Answer(bool asShown);
    bool AwaitsAnswer() const { return m_running == AutoCheck::Lamps; }
    // True in a lamp step that asks about one lamp (not a pattern).
    bool AsksSingleLamp() const { return m_walk && !m_walk->Done() && m_walk->Lamp() >= 0; }

    // The automatic row of the lamp asked about or the fader in its steps; -1 for none.
    int CurrentRow() const;
    // What runs now, or what the last check came to.
    std::string Prompt(std::int64_t ms) const;
    // Counts every change of the rows, so that a window knows when to show them again.
    unsigned Changes() const { return m_changes; }

private:
    void StartMotors(std::int64_t ms);
    void StartLamps();
    void CollectMotors(std::int64_t ms);
    void FinishLamps();
    void FinishHandsOff(std::int64_t ms, bool complete);
    // Hands the panel back as it was, whatever ran.
    void End();
    std::vector<std::string> NoisyControls() const;

    PanelCheck& m_check;
    ICheckTarget& m_target;
    AutoCheck m_running = AutoCheck::None;
    PanelMode m_modeBefore = PanelMode::Normal;
    unsigned m_changes = 0;
    std::string m_summary;

    std::optional<MotorCheck> m_motors;
    std::int64_t m_startMs = 0;
    std::vector<std::string> m_faderNames;
    std::vector<int> m_motorRows;  // a fader's automatic row
    int m_collected = 0;           // faders whose row has their result

    std::optional<LampWalk> m_walk;
    std::vector<std::string> m_lampNames;
    std::vector<int> m_lampRows;
    int m_patternRow = -1;
    std::vector<bool> m_lampsBefore;

    std::int64_t m_handsOffUntil = 0;
    std::vector<std::string> m_noisyBefore;
};
