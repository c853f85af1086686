#include "panels/LampWalk.h"

LampWalk::LampWalk(int lampCount)
    : m_lampCount(lampCount < 0 ? 0 : lampCount), m_lamps(static_cast<size_t>(m_lampCount), LampVerdict::Unasked) {}

LampWalk::Pattern LampWalk::Current() const {
    if (m_step < m_lampCount) return Pattern::Single;
    switch (m_step - m_lampCount) {
    case 0:
        return Pattern::All;
    case 1:
        return Pattern::Even;
    default:
        return Pattern::Odd;
    }
}

std::vector<bool> LampWalk::Lit() const {
    std::vector<bool> lit(static_cast<size_t>(m_lampCount), false);
    if (Done()) return lit;
    const Pattern pattern = Current();
    for (int i = 0; i < m_lampCount; ++i) {
        switch (pattern) {
        case Pattern::Single:
            lit[static_cast<size_t>(i)] = i == m_step;
            break;
        case Pattern::All:
            lit[static_cast<size_t>(i)] = true;
            break;
        case Pattern::Even:
            lit[static_cast<size_t>(i)] = i % 2 == 0;
            break;
        case Pattern::Odd:
            lit[static_cast<size_t>(i)] = i % 2 == 1;
            break;
        }
    }
    return lit;
}

void LampWalk::Answer(bool asShown) {
    if (Done()) return;
    if (Current() == Pattern::Single)
        m_lamps[static_cast<size_t>(m_step)] = asShown ? LampVerdict::Lit : LampVerdict::NotAsShown;
    else if (!asShown)
        m_patternsWrong.emplace_back(LampPatternName(Current()));
    ++m_step;
}

bool LampWalk::PatternFault() const {
    if (m_patternsWrong.empty()) return false;
    for (LampVerdict v : m_lamps)
        if (v == LampVerdict::NotAsShown) return false;
    return true;
}

const char* LampPatternName(LampWalk::Pattern pattern) {
    switch (pattern) {
    case LampWalk::Pattern::All:
        return "all on";
    case LampWalk::Pattern::Even:
        return "every second";
    case LampWalk::Pattern::Odd:
        return "the others";
    case LampWalk::Pattern::Single:
        break;
    }
    return "";
}
