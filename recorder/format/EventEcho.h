// The library hands one panel event to every sink advised for that panel, one
// after the other, so a recording has one line per sink. A report or
// connection line for another sink with the same panel and the same content
// as the event just seen, within 50 ms of it, is that event again; the same
// sink a second time, or a later line, is a new event. Replay injects each
// event once, and the readable timeline tells it once.
#pragma once

#include <set>
#include <string>

#include "recorder/format/RecordedEvent.h"

class EventEcho {
public:
    // Feed every report and connection line in order; true when this one
    // repeats the panel's last event at another sink.
    bool Repeats(const RecordedEvent& e);

private:
    struct Seen {
        double ms = 0;                // when the last event was first seen
        std::string content;          // what it said
        std::set<std::string> sinks;  // the sinks it has been seen at
    };
    Seen m_seen[kPanelCount];
};
