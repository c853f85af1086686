#include "recorder/format/EventEcho.h"

#include "recorder/format/RecordingFormat.h"

namespace {
// The library hands one event to its sinks one after the other, at once; the
// same content at another sink this much later is a new event.
constexpr double kEchoMs = 50;
}  // namespace

bool EventEcho::Repeats(const RecordedEvent& e) {
    if (e.panel < 0 || e.panel >= kPanelCount) return false;
    if (e.kind != RecordedEvent::kReport && e.kind != RecordedEvent::kConnection) return false;
    const std::string content = e.kind == RecordedEvent::kReport
                                    ? RecordingFormat::Hex(e.changes.bytes, sizeof e.changes.bytes) +
                                          RecordingFormat::Hex(e.status.bytes, sizeof e.status.bytes)
                                    : "connection " + std::to_string(e.state);
    Seen& seen = m_seen[e.panel];
    if (content == seen.content && e.ms - seen.ms <= kEchoMs && seen.sinks.insert(e.object).second) return true;
    seen.ms = e.ms;
    seen.content = content;
    seen.sinks = {e.object};
    return false;
}
