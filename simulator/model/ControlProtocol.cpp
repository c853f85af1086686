#include "ControlProtocol.h"

#include <utility>

#include "CommandParser.h"
#include "DemoScript.h"

namespace {
std::string Answer(const std::string& error) { return error.empty() ? "ok" : "error: " + error; }
}  // namespace

ControlProtocol::ControlProtocol(PanelSimulator& sim, FileReader reader) : sim_(sim), reader_(std::move(reader)) {}

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
        if (!reader_ || !reader_(command.text, text, error))
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
    std::int64_t at = sim_.Clock().NowMs();
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
    std::lock_guard<std::mutex> lock(mu_);
    steps_.swap(steps);
    scriptName_ = name;
    lastScriptError_.clear();
    sim_.Wake();  // the delivery thread runs the steps; it may be sleeping
    return {};
}

void ControlProtocol::Tick() {
    const std::int64_t now = sim_.Clock().NowMs();
    std::deque<Step> due;
    std::string name;
    {
        std::lock_guard<std::mutex> lock(mu_);
        while (!steps_.empty() && steps_.front().at <= now) {
            due.push_back(steps_.front());
            steps_.pop_front();
        }
        name = scriptName_;
    }
    for (const Step& step : due) {
        // A step that fails (e.g. its panel is unplugged) is skipped, not fatal.
        const std::string answer = Run(step.command, true);
        if (answer.compare(0, 2, "ok") != 0) {
            std::lock_guard<std::mutex> lock(mu_);
            lastScriptError_ = name + " line " + std::to_string(step.line) + ": " + answer;
        }
    }
}

bool ControlProtocol::ScriptRunning() {
    std::lock_guard<std::mutex> lock(mu_);
    return !steps_.empty();
}

std::string ControlProtocol::LastScriptError() {
    std::lock_guard<std::mutex> lock(mu_);
    return lastScriptError_;
}

std::string ControlProtocol::Run(const ControlCommand& c, bool fromScript) {
    switch (c.verb) {
    case ControlCommand::kPress:
        return Answer(sim_.Key(c.panel, c.key, true));
    case ControlCommand::kRelease:
        return Answer(sim_.Key(c.panel, c.key, false));
    case ControlCommand::kTap:
        return Answer(sim_.Tap(c.panel, c.key));
    case ControlCommand::kJog:
        return Answer(sim_.TurnJog(c.a));
    case ControlCommand::kKnob:
        return Answer(sim_.TurnKnob(c.a, c.b));
    case ControlCommand::kBall:
        return Answer(sim_.MoveBall(c.a, c.b));
    case ControlCommand::kRing:
        return Answer(sim_.TurnRing(c.a));
    case ControlCommand::kFader:
        return Answer(sim_.MoveFader(c.a, c.b));
    case ControlCommand::kPlug:
        return Answer(sim_.Plug(c.panel, true));
    case ControlCommand::kUnplug:
        return Answer(sim_.Plug(c.panel, false));
    case ControlCommand::kPowerCycle:
        return Answer(sim_.PowerCycle(c.panel));
    case ControlCommand::kFirmware:
        return Answer(sim_.SetFirmwareVersion(c.panel, c.a, c.b));
    case ControlCommand::kDriver:
        return Answer(sim_.SetDriverVersion(c.panel, c.a, c.b, c.c));
    case ControlCommand::kFault: {
        std::string err;
        switch (c.fault) {
        case ControlCommand::kFaultGetInterface:
            if (c.device) err = sim_.SetFault(c.panel, PanelSimulator::kFailDeviceInterface, c.on);
            if (err.empty() && c.events) err = sim_.SetFault(c.panel, PanelSimulator::kFailEventInterface, c.on);
            break;
        case ControlCommand::kFaultVersionInfo:
            err = sim_.SetFault(c.panel, PanelSimulator::kFailVersionInfo, c.on);
            break;
        case ControlCommand::kFaultUnplugInDownload:
            err = sim_.SetFault(c.panel, PanelSimulator::kUnplugInDownload, c.on);
            break;
        }
        return Answer(err);
    }
    case ControlCommand::kUnknownIid:
        return Answer(sim_.UnknownIid(c.panel));
    case ControlCommand::kConnectionState:
        return Answer(sim_.ReportConnectionState(c.panel, c.a));
    case ControlCommand::kReport:
        return Answer(sim_.RawReport(c.panel, c.changes, c.status));
    case ControlCommand::kStorm:
        return Answer(sim_.Storm(c.panel, c.a, c.b));
    case ControlCommand::kStop: {
        std::lock_guard<std::mutex> lock(mu_);
        steps_.clear();
        return "ok";
    }
    case ControlCommand::kReset: {
        if (!fromScript) {
            std::lock_guard<std::mutex> lock(mu_);
            steps_.clear();
        }
        sim_.Reset();
        return "ok";
    }
    case ControlCommand::kStatus: {
        std::string s = "ok";
        for (int p = 0; p < kPanelCount; ++p) {
            if (c.panel >= 0 && p != c.panel) continue;
            s += std::string(" | ") + CommandParser::PanelName(p) + ": " + sim_.Describe(p);
        }
        std::lock_guard<std::mutex> lock(mu_);
        if (!steps_.empty()) s += " | script " + scriptName_ + ": " + std::to_string(steps_.size()) + " steps to go";
        if (!lastScriptError_.empty()) s += " | last script error: " + lastScriptError_;
        return s;
    }
    case ControlCommand::kHelp:
        return std::string("ok ") + CommandParser::Usage();
    default:
        return "error: not a command here";
    }
}
