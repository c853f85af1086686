#include "panels/AutomaticChecks.h"

#include <algorithm>
#include <cstdio>

namespace {
std::string Seconds(std::int64_t ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", static_cast<double>(ms) / 1000.0);
    return text;
}

std::string MotorDetail(const MotorFaderResult& r) {
    std::string detail = std::string(MotorFaultName(r.fault)) + ": worst error " + std::to_string(r.worstError);
    return detail + (r.slowestSettleMs < 0 ? ", never settled" : ", slowest " + std::to_string(r.slowestSettleMs) + " ms");
}

std::string Joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& w : words) text += (text.empty() ? "" : ", ") + w;
    return text;
}
}  // namespace

bool AutomaticChecks::Offers(AutoCheck kind) const {
    switch (kind) {
    case AutoCheck::Motors:
        return m_target.Motors() != nullptr;
    case AutoCheck::Lamps:
        return !m_target.LampNames().empty();
    case AutoCheck::HandsOff:
        return true;
    case AutoCheck::None:
        break;
    }
    return false;
}

std::string AutomaticChecks::Start(AutoCheck kind, std::int64_t ms) {
    if (m_running != AutoCheck::None) return "Another check is running: stop it first.";
    if (!Offers(kind)) return "This panel has nothing for that check.";
    if (kind != AutoCheck::HandsOff) {
        if (!m_target.CanDrive()) return "The panel is not connected.";
        if (kind == AutoCheck::Motors && m_target.FaderDragged()) return "Let go of the on-screen fader first.";
        m_modeBefore = m_target.Mode();
        m_target.LockMode(true);
        if (m_modeBefore != PanelMode::Test) m_target.SwitchMode(PanelMode::Test);
    }
    m_running = kind;
    m_summary.clear();
    switch (kind) {
    case AutoCheck::Motors:
        StartMotors(ms);
        break;
    case AutoCheck::Lamps:
        StartLamps();
        break;
    case AutoCheck::HandsOff:
        m_noisyBefore = NoisyControls();
        m_handsOffUntil = ms + kHandsOffMs;
        m_check.SetInput(CheckInput::HandsOff);
        break;
    case AutoCheck::None:
        break;
    }
    ++m_changes;
    return {};
}

void AutomaticChecks::StartMotors(std::int64_t ms) {
    m_target.LockFaders(true);
    m_check.SetInput(CheckInput::Motors);
    // The rows and names are looked up once: the reports of moving faders come every few milliseconds.
    m_faderNames.clear();
    for (const ControlResult& r : m_check.Controls())
        if (r.control.kind == CheckKind::Fader) m_faderNames.push_back(r.control.name);
    m_faderNames.resize(kAudioFaderCount);
    m_motorRows.clear();
    for (const std::string& name : m_faderNames) m_motorRows.push_back(m_check.AddResult(name + " motor"));
    for (int row : m_motorRows) m_check.SetResult(row, CheckState::Untested, "");
    m_collected = 0;
    m_startMs = ms;
    m_motors.emplace(*m_target.Motors());
    m_motors->Start(ms, m_target.FaderPositions());
}

void AutomaticChecks::StartLamps() {
    m_lampNames = m_target.LampNames();
    m_lampsBefore = m_target.LampsShown();
    m_lampsBefore.resize(m_lampNames.size());
    m_lampRows.clear();
    for (const std::string& name : m_lampNames) m_lampRows.push_back(m_check.AddResult(name + " lamp"));
    m_patternRow = m_check.AddResult("Lamp patterns");
    for (int row : m_lampRows) m_check.SetResult(row, CheckState::Untested, "");
    m_check.SetResult(m_patternRow, CheckState::Untested, "");
    m_walk.emplace(static_cast<int>(m_lampNames.size()));
    m_target.ShowLamps(m_walk->Lit());
}

void AutomaticChecks::FaderReport(std::int64_t ms, const MotorCheck::Positions& positions) {
    if (m_running != AutoCheck::Motors) return;
    m_motors->Feed(ms, positions);
    CollectMotors(ms);
}

void AutomaticChecks::Tick(std::int64_t ms) {
    if (m_running == AutoCheck::Motors) {
        m_motors->Tick(ms);
        CollectMotors(ms);
    } else if (m_running == AutoCheck::HandsOff && ms >= m_handsOffUntil) {
        FinishHandsOff(ms, true);
    }
}

std::int64_t AutomaticChecks::Deadline() const {
    if (m_running == AutoCheck::Motors) return m_motors->Deadline();
    return m_running == AutoCheck::HandsOff ? m_handsOffUntil : -1;
}

void AutomaticChecks::CollectMotors(std::int64_t ms) {
    // The faders finish one after the other.
    for (; m_collected < kAudioFaderCount; ++m_collected) {
        const MotorFaderResult& r = m_motors->Results()[static_cast<size_t>(m_collected)];
        if (!r.done) break;
        const int row = m_motorRows[static_cast<size_t>(m_collected)];
        m_check.SetResult(row, r.fault == MotorFault::None ? CheckState::Checked : CheckState::Failed, MotorDetail(r));
        m_check.SetMotorResult(row, r);
        ++m_changes;
    }
    if (m_motors->Running()) return;
    int passed = 0;
    for (const MotorFaderResult& r : m_motors->Results()) passed += r.done && r.fault == MotorFault::None;
    m_check.SetMotorCheckMs(ms - m_startMs);
    m_summary = "Motors: " + std::to_string(passed) + " of " + std::to_string(kAudioFaderCount) + " passed in " +
                Seconds(ms - m_startMs) + ".";
    End();
}

void AutomaticChecks::Answer(bool asShown) {
    if (m_running != AutoCheck::Lamps) return;
    const int lamp = m_walk->Lamp();
    m_walk->Answer(asShown);
    if (lamp >= 0) {
        m_check.SetResult(m_lampRows[static_cast<size_t>(lamp)], asShown ? CheckState::Checked : CheckState::Failed,
                          asShown ? "lit alone" : "not as shown");
    }
    ++m_changes;
    if (m_walk->Done())
        FinishLamps();
    else
        m_target.ShowLamps(m_walk->Lit());
}

void AutomaticChecks::FinishLamps() {
    const std::vector<std::string>& wrong = m_walk->PatternsNotAsShown();
    // A pattern that a failed lamp already explains fails nothing more.
    std::string detail = wrong.empty() ? "all on, every second, the others: as shown"
                                       : "not as shown: " + Joined(wrong) +
                                             (m_walk->PatternFault() ? "" : " (the failed lamps)");
    m_check.SetResult(m_patternRow, m_walk->PatternFault() ? CheckState::Failed : CheckState::Checked, detail);
    int lit = 0;
    for (size_t i = 0; i < m_lampNames.size(); ++i) lit += m_walk->Verdict(static_cast<int>(i)) == LampVerdict::Lit;
    m_summary = "Lamps: " + std::to_string(lit) + " of " + std::to_string(m_lampNames.size()) + " as shown" +
                (wrong.empty() ? "." : "; patterns not as shown: " + Joined(wrong) + ".");
    End();
}

std::vector<std::string> AutomaticChecks::NoisyControls() const {
    std::vector<std::string> names;
    for (const ControlResult& r : m_check.Controls())
        if (r.noisy) names.push_back(r.control.name);
    return names;
}

void AutomaticChecks::FinishHandsOff(std::int64_t ms, bool complete) {
    std::vector<std::string> moved;
    for (const std::string& name : NoisyControls())
        if (std::find(m_noisyBefore.begin(), m_noisyBefore.end(), name) == m_noisyBefore.end()) moved.push_back(name);
    const int row = m_check.AddResult("Hands off");
    if (complete) {
        // The row says the check was done; a control that moved fails as noisy itself.
        m_check.SetResult(row, CheckState::Checked,
                          moved.empty() ? "nothing moved in 10 s" : "moved in 10 s: " + Joined(moved));
        m_summary = moved.empty() ? "Hands off: nothing moved." : "Hands off: moved: " + Joined(moved) + ".";
    } else {
        const std::int64_t ran = kHandsOffMs - std::max<std::int64_t>(0, m_handsOffUntil - ms);
        m_check.SetResult(row, CheckState::Untested, "stopped after " + Seconds(ran));
        m_summary = "Hands off: stopped.";
    }
    ++m_changes;
    End();
}

void AutomaticChecks::Stop(std::int64_t ms) {
    switch (m_running) {
    case AutoCheck::Motors:
        for (size_t f = static_cast<size_t>(m_collected); f < m_motorRows.size(); ++f)
            m_check.SetResult(m_motorRows[f], CheckState::Untested, "stopped");
        m_summary = "Motors: stopped.";
        ++m_changes;
        End();  // hands every fader back
        break;
    case AutoCheck::Lamps:
        for (size_t i = 0; i < m_lampRows.size(); ++i)
            if (m_walk->Verdict(static_cast<int>(i)) == LampVerdict::Unasked)
                m_check.SetResult(m_lampRows[i], CheckState::Untested, "stopped");
        m_check.SetResult(m_patternRow, CheckState::Untested, "stopped");
        m_summary = "Lamps: stopped.";
        ++m_changes;
        End();
        break;
    case AutoCheck::HandsOff:
        FinishHandsOff(ms, false);
        break;
    case AutoCheck::None:
        break;
    }
}

void AutomaticChecks::End() {
    const AutoCheck ended = m_running;
    m_running = AutoCheck::None;
    m_check.SetInput(CheckInput::Hands);
    if (ended == AutoCheck::Motors) {
        m_motors->Stop();
        m_target.LockFaders(false);
        m_target.HandFadersBack();
    }
    if (ended == AutoCheck::Lamps) m_target.ShowLamps(m_lampsBefore);
    m_walk.reset();
    if (ended == AutoCheck::Motors || ended == AutoCheck::Lamps) {
        m_target.LockMode(false);
        if (m_modeBefore != PanelMode::Test) m_target.SwitchMode(m_modeBefore);
    }
}

int AutomaticChecks::CurrentRow() const {
    if (m_running == AutoCheck::Motors && m_motors->Fader() < kAudioFaderCount)
        return m_motorRows[static_cast<size_t>(m_motors->Fader())];
    if (m_running == AutoCheck::Lamps)
        return m_walk->Lamp() >= 0 ? m_lampRows[static_cast<size_t>(m_walk->Lamp())] : m_patternRow;
    return -1;
}

std::string AutomaticChecks::Prompt(std::int64_t ms) const {
    switch (m_running) {
    case AutoCheck::Motors: {
        const int fader = m_motors->Fader();
        if (fader >= kAudioFaderCount) return "Motors: handing the faders back.";
        return "Motors: " + m_faderNames[static_cast<size_t>(fader)] + " to " +
               std::to_string(MotorCheck::kTargets[m_motors->TargetIndex()]) + " (step " +
               std::to_string(m_motors->TargetIndex() + 1) + " of " + std::to_string(MotorCheck::kTargets.size()) +
               "). Hands off the faders.";
    }
    case AutoCheck::Lamps: {
        const int lamp = m_walk->Lamp();
        if (lamp >= 0)
            return "Lamp " + std::to_string(lamp + 1) + " of " + std::to_string(m_lampNames.size()) + ": is " +
                   m_lampNames[static_cast<size_t>(lamp)] + " lit, and no other lamp?";
        switch (m_walk->Current()) {
        case LampWalk::Pattern::All:
            return "All lamps on: are they all lit?";
        case LampWalk::Pattern::Even:
            return "Every second lamp on: are exactly the lamps the picture shows lit?";
        default:
            return "The other lamps on: are exactly the lamps the picture shows lit?";
        }
    }
    case AutoCheck::HandsOff: {
        const std::int64_t left = std::max<std::int64_t>(0, m_handsOffUntil - ms);
        return "Hands off the panel: " + std::to_string((left + 999) / 1000) + " s left.";
    }
    case AutoCheck::None:
        break;
    }
    return m_summary;
}
