#include "recorder/format/ReplayPlan.h"

#include "recorder/format/EventEcho.h"
#include "recorder/format/RecordingFormat.h"

std::vector<ReplayStep> ReplayPlan::Build(const std::vector<RecordedEvent>& events) {
    std::vector<ReplayStep> steps;
    EventEcho echo;
    for (const RecordedEvent& e : events) {
        if (e.kind != RecordedEvent::kReport && e.kind != RecordedEvent::kConnection) continue;
        // An interface no panel has reaches no window: nothing to replay.
        if (e.panel < 0 || e.panel >= kPanelCount) continue;
        if (echo.Repeats(e)) continue;  // the same event, at the next sink
        const std::string panel = RecordingFormat::PanelName(e.panel);
        if (e.kind == RecordedEvent::kReport) {
            steps.push_back({e.ms, e.line,
                             "report " + panel + " " + RecordingFormat::Hex(e.changes.bytes, sizeof e.changes.bytes) +
                                 " " + RecordingFormat::Hex(e.status.bytes, sizeof e.status.bytes)});
        } else {
            steps.push_back({e.ms, e.line, "fault connection-state " + panel + " " + std::to_string(e.state)});
        }
    }
    return steps;
}
