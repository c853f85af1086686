// The lamp walk's steps and what the engineer answered, apart from any window:
// each lamp alone, then all of them, then every second one and then the
// others, so that two neighbours shorted together light where the picture
// shows one dark. The engineer answers each step with yes (the panel shows
// exactly what the picture shows) or no.
#pragma once

#include <string>
#include <vector>

enum class LampVerdict { Unasked, Lit, NotAsShown };

class LampWalk {
public:
    enum class Pattern { Single, All, Even, Odd };

    explicit LampWalk(int lampCount);

    bool Done() const { return m_step >= StepCount(); }
    int Step() const { return m_step; }
    int StepCount() const { return m_lampCount == 0 ? 0 : m_lampCount + 3; }
    Pattern Current() const;
    // The lamp of a Single step; -1 in a pattern step.
    int Lamp() const { return Current() == Pattern::Single ? m_step : -1; }
    // What the panel and the picture show in this step.
    std::vector<bool> Lit() const;

    void Answer(bool asShown);

    LampVerdict Verdict(int lamp) const { return m_lamps[static_cast<size_t>(lamp)]; }
    // The patterns answered no, in words ("all on", "every second", "the others").
    const std::vector<std::string>& PatternsNotAsShown() const { return m_patternsWrong; }
    // A pattern answered no while every lamp on its own was right: a fault that
    // only shows with several lamps on. A no that a failed lamp explains is not.
    bool PatternFault() const;

private:
    int m_lampCount;
    int m_step = 0;
    std::vector<LampVerdict> m_lamps;
    std::vector<std::string> m_patternsWrong;
};

// "all on", "every second", "the others"; empty for a single lamp.
const char* LampPatternName(LampWalk::Pattern pattern);
