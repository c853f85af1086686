// A recording as a person reads it: one line per event, a call joined with its
// answer when nothing came between them, times relative to the start.
#pragma once

#include <string>
#include <vector>

#include "recorder/format/RecordedEvent.h"

class RecordingTimeline {
public:
    static std::string Format(const std::vector<RecordedEvent>& events);
};
