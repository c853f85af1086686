// Reads a recording back (the text form is described in recorder/README.md).
// A recording is checked line by line: the good lines before the first bad one
// are kept, so a recording cut short by a crash still replays up to the cut,
// and the error names the line that stopped it.
#pragma once

#include <string>
#include <vector>

#include "recorder/format/RecordedEvent.h"

class RecordingParser {
public:
    static constexpr std::size_t kMaxLineLength = 4096;

    // True when every line was good. Otherwise events holds the events of the
    // lines before the first bad one and error reads "line <n>: <why>".
    static bool Parse(const std::string& text, std::vector<RecordedEvent>& events, std::string& error);

    // One event line (neither the version line nor a comment); false with the reason.
    static bool ParseLine(const std::string& line, RecordedEvent& out, std::string& error);
};
