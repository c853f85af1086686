#include "simulator/model/ControlProtocol.h"

#include <utility>

#include "simulator/model/CommandParser.h"
#include "simulator/model/DemoScript.h"

namespace {
std::string Answer(const std::string& error) { return error.empty() ? "ok" : "error: " + error; }
}  // namespace

ControlProtocol::ControlProtocol(PanelSimulator& sim, FileReader reader) : m_sim(sim), m_reader(std::move(reader)) {}

std::string ControlProtocol::Execute(const std::string& line) {
    ControlCommand command;
    std::string error;
    if (!CommandParser::Parse(line, command, error)) return "error: " + error;
    switch (command.verb) {
    case ControlCommand::kNone:
        return "error: empty command";
    case ControlCommand::kWait:
        return "error: wait only makes sense in a script";
    case ControlCommand::kPlay: {
        std::string text;
        if (!m_reader || !m_reader(command.text, text, error))
            return "error: cannot read script '" + command.text + "'" + (error.empty() ? "" : ": " + error);
        return Answer(StartScript(text, command.text));
    }
    case ControlCommand::kDemo:
        return Answer(StartScript(DemoScript(), "demo"));
    default:
        return Run(command, false);
    }
}

std::string ControlProtocol::StartScript(const std::string& text, const std::string& name) {
    std::deque<Step> steps;
    std::int64_t at = m_sim.Clock().NowMs();
    std::size_t begin = 0;
    int lineNo = 0;
    while (begin <= text.size()) {
        std::size_t end = text.find('\n', begin);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(begin, end - begin);
        begin = end + 1;
        ++lineNo;
        if (std::size_t(lineNo) > kMaxScriptLines)
            return "script longer than " + std::to_string(kMaxScriptLines) + " lines";
        ControlCommand command;
        std::string error;
        if (!CommandParser::Parse(line, command, error)) return name + " line " + std::to_string(lineNo) + ": " + error;
        switch (command.verb) {
        case ControlCommand::kNone:
            break;
        case ControlCommand::kWait:
            at += command.a;
            break;
        case ControlCommand::kPlay:
        case ControlCommand::kDemo:
        case ControlCommand::kStop:
            return name + " line " + std::to_string(lineNo) + ": scripts cannot start or stop scripts";
        default:
            steps.push_back({at, command, lineNo});
            break;
        }
        if (end == text.size()) break;
    }
    std::lock_guard<std::mutex> lock(m_mu);
    m_steps.swap(steps);
    m_scriptName = name;
    m_lastScriptError.clear();
    m_sim.Wake();  // the delivery thread runs the steps; it may be sleeping
    return {};
}

void ControlProtocol::Tick() {
    const std::int64_t now = m_sim.Clock().NowMs();
    std::deque<Step> due;
    std::string name;
    {
        std::lock_guard<std::mutex> lock(m_mu);
        while (!m_steps.empty() && m_steps.front().at <= now) {
            due.push_back(m_steps.front());
            m_steps.pop_front();
        }
        name = m_scriptName;
    }
    for (const Step& step : due) {
        // A step that fails (e.g. its panel is unplugged) is skipped, not fatal.
        const std::string answer = Run(step.command, true);
        if (answer.compare(0, 2, "ok") != 0) {
            std::lock_guard<std::mutex> lock(m_mu);
            m_lastScriptError = name + " line " + std::to_string(step.line) + ": " + answer;
        }
    }
}

bool ControlProtocol::ScriptRunning() {
    std::lock_guard<std::mutex> lock(m_mu);
    return !m_steps.empty();
}

std::string ControlProtocol::LastScriptError() {
    std::lock_guard<std::mutex> lock(m_mu);
    return m_lastScriptError;
}

std::string ControlProtocol::Run(const ControlCommand& c, bool fromScript) {
    switch (c.verb) {
    case ControlCommand::kPress:
        return Answer(m_sim.Key(c.panel, c.key, true));
    case ControlCommand::kRelease:
        return Answer(m_sim.Key(c.panel, c.key, false));
    case ControlCommand::kTap:
        return Answer(m_sim.Tap(c.panel, c.key));
    case ControlCommand::kJog:
        return Answer(m_sim.TurnJog(c.a));
    case ControlCommand::kKnob:
        return Answer(m_sim.TurnKnob(c.a, c.b));
    case ControlCommand::kBall:
        return Answer(m_sim.MoveBall(c.a, c.b));
    case ControlCommand::kRing:
        return Answer(m_sim.TurnRing(c.a));
    case ControlCommand::kFader:
        return Answer(m_sim.MoveFader(c.a, c.b));
    case ControlCommand::kPlug:
        return Answer(m_sim.Plug(c.panel, true));
    case ControlCommand::kUnplug:
        return Answer(m_sim.Plug(c.panel, false));
    case ControlCommand::kPowerCycle:
        return Answer(m_sim.PowerCycle(c.panel));
    case ControlCommand::kFirmware:
        return Answer(m_sim.SetFirmwareVersion(c.panel, c.a, c.b));
    case ControlCommand::kDriver:
        return Answer(m_sim.SetDriverVersion(c.panel, c.a, c.b, c.c));
    case ControlCommand::kFault: {
        std::string err;
        switch (c.fault) {
        case ControlCommand::kFaultGetInterface:
            if (c.device) err = m_sim.SetFault(c.panel, PanelSimulator::kFailDeviceInterface, c.on);
            if (err.empty() && c.events) err = m_sim.SetFault(c.panel, PanelSimulator::kFailEventInterface, c.on);
            break;
        case ControlCommand::kFaultVersionInfo:
            err = m_sim.SetFault(c.panel, PanelSimulator::kFailVersionInfo, c.on);
            break;
        case ControlCommand::kFaultUnplugInDownload:
            err = m_sim.SetFault(c.panel, PanelSimulator::kUnplugInDownload, c.on);
            break;
        case ControlCommand::kFaultStuckKey:
        case ControlCommand::kFaultChatterKey:
            err = m_sim.SetKeyFault(c.panel, c.key, c.fault == ControlCommand::kFaultStuckKey, c.on);
            break;
        case ControlCommand::kFaultDeadZone:
            err = m_sim.SetDeadZone(c.a, c.b, c.c);
            break;
        case ControlCommand::kFaultNoisy:
            err = m_sim.SetNoisy(c.panel, c.a, c.on);
            break;
        case ControlCommand::kFaultMotor:
            err = m_sim.SetMotorFault(c.a, AudioModel::MotorFault(c.b));
            break;
        case ControlCommand::kFaultDeadLamp:
            err = m_sim.SetDeadLamp(c.panel, c.a, c.on);
            break;
        case ControlCommand::kFaultShortLamps:
            err = m_sim.SetShortedLamps(c.panel, c.a, c.b, c.on);
            break;
        }
        return Answer(err);
    }
    case ControlCommand::kUnknownIid:
        return Answer(m_sim.UnknownIid(c.panel));
    case ControlCommand::kConnectionState:
        return Answer(m_sim.ReportConnectionState(c.panel, c.a));
    case ControlCommand::kReport:
        return Answer(m_sim.RawReport(c.panel, c.changes, c.status));
    case ControlCommand::kStorm:
        return Answer(m_sim.Storm(c.panel, c.a, c.b));
    case ControlCommand::kStop: {
        std::lock_guard<std::mutex> lock(m_mu);
        m_steps.clear();
        return "ok";
    }
    case ControlCommand::kReset: {
        if (!fromScript) {
            std::lock_guard<std::mutex> lock(m_mu);
            m_steps.clear();
        }
        m_sim.Reset();
        return "ok";
    }
    case ControlCommand::kStatus: {
        std::string s = "ok";
        for (int p = 0; p < kPanelCount; ++p) {
            if (c.panel >= 0 && p != c.panel) continue;
            s += kAnswerLineBreak + std::string(CommandParser::PanelName(p)) + ": " + m_sim.Describe(p);
        }
        std::lock_guard<std::mutex> lock(m_mu);
        if (!m_steps.empty())
            s += kAnswerLineBreak + ("script " + m_scriptName + ": " + std::to_string(m_steps.size()) + " steps to go");
        if (!m_lastScriptError.empty()) s += kAnswerLineBreak + ("last script error: " + m_lastScriptError);
        return s;
    }
    case ControlCommand::kHelp: {
        std::string s = "ok";
        for (const std::string& line : CommandParser::Help()) s += kAnswerLineBreak + line;
        return s;
    }
    default:
        return "error: not a command here";
    }
}
