#include "recorder/format/ReplayPlan.h"

#include <set>

#include "recorder/format/RecordingFormat.h"

namespace {
// The library hands one event to its sinks one after the other, at once; the
// same content at another sink this much later is a new event.
constexpr double kEchoMs = 50;

struct PanelEcho {
    double ms = 0;                // when the last event was first seen
    std::string content;          // what the last event said
    std::set<std::string> sinks;  // the sinks it has been seen at
};
}  // namespace

std::vector<ReplayStep> ReplayPlan::Build(const std::vector<RecordedEvent>& events) {
    std::vector<ReplayStep> steps;
    PanelEcho echo[kPanelCount];
    for (const RecordedEvent& e : events) {
        if (e.kind != RecordedEvent::kReport && e.kind != RecordedEvent::kConnection) continue;
        // An interface no panel has reaches no window: nothing to replay.
        if (e.panel < 0 || e.panel >= kPanelCount) continue;
        const std::string panel = RecordingFormat::PanelName(e.panel);
        std::string command;
        if (e.kind == RecordedEvent::kReport) {
            command = "report " + panel + " " + RecordingFormat::Hex(e.changes.bytes, sizeof e.changes.bytes) + " " +
                      RecordingFormat::Hex(e.status.bytes, sizeof e.status.bytes);
        } else {
            command = "fault connection-state " + panel + " " + std::to_string(e.state);
        }
        PanelEcho& seen = echo[e.panel];
        if (command == seen.content && e.ms - seen.ms <= kEchoMs && seen.sinks.insert(e.object).second)
            continue;  // the same event, at the next sink
        seen.ms = e.ms;
        seen.content = command;
        seen.sinks = {e.object};
        steps.push_back({e.ms, e.line, command});
    }
    return steps;
}
