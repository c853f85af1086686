// Turns a recording into the control lines that make the simulated panels say
// again what the real ones said: each report as a raw "report" line, each
// connection state as "fault connection-state" (the simulated panel itself is
// left as it is). Calls of the program are not replayed: the program under
// replay makes its own. Download progress is shown by the timeline only.
//
// The library delivers one event of a panel to every sink advised for that
// panel, so the recording has one line per sink; replay injects each event
// once (EventEcho tells which lines repeat one).
#pragma once

#include <string>
#include <vector>

#include "recorder/format/RecordedEvent.h"

struct ReplayStep {
    double ms;            // when, since the recording started
    int line;             // the recording's line it comes from
    std::string command;  // one control-protocol line
};

class ReplayPlan {
public:
    static std::vector<ReplayStep> Build(const std::vector<RecordedEvent>& events);
};
