// Runs control-protocol lines against the simulated panels and answers each
// with one line, "ok" (possibly followed by text) or "error: <why>". An answer
// of several lines (status, help) stays one line on the channel, so that every
// client keeps its answers in step with its questions: kAnswerLineBreak stands
// between its lines, and velsim shows them one under the other. Scripts (a file
// through "play", or the built-in demo) are checked whole before their first
// line runs; their lines then run from Tick() at their time, so the waits
// follow the simulator's clock. A bad line is refused and changes nothing.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>

#include "simulator/model/ControlCommand.h"
#include "simulator/model/PanelSimulator.h"

class ControlProtocol {
public:
    // Reads a script file; false with a reason when it cannot.
    using FileReader = std::function<bool(const std::string& path, std::string& text, std::string& error)>;

    static constexpr std::size_t kMaxScriptLines = 10000;
    static constexpr const char* kAnswerLineBreak = " | ";

    ControlProtocol(PanelSimulator& sim, FileReader reader);

    std::string Execute(const std::string& line);
    // Runs the script lines that are due.
    void Tick();
    bool ScriptRunning();
    std::string LastScriptError();

    // Checks a whole script and queues it from now on; replaces a running one.
    std::string StartScript(const std::string& text, const std::string& name);

private:
    struct Step {
        std::int64_t at;
        ControlCommand command;
        int line;
    };

    std::string Run(const ControlCommand& command, bool fromScript);

    PanelSimulator& m_sim;
    FileReader m_reader;
    std::mutex m_mu;
    std::deque<Step> m_steps;
    std::string m_scriptName;
    std::string m_lastScriptError;
};
