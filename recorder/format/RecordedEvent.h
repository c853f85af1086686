// One line of a recording, as the parser reads it back. recorder/README.md
// describes the text form; this is what replay and the timeline work from.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "contract/PanelBlocks.h"

struct RecordedEvent {
    enum Kind {
        kCall,        // the program called the library
        kReturn,      // ... and the library answered
        kReport,      // the library called a sink with a panel report
        kConnection,  // ... with a connection state
        kProgress,    // ... with the end of a download
        kNote,        // something the recorder itself says (capped, library path)
    };

    int line = 0;              // 1-based line in the file
    double ms = 0;             // since the recording started
    std::uint32_t thread = 0;  // the Windows thread id the line was written on
    Kind kind = kNote;
    // kCall/kReturn: the object ("M1", "D2", "E3", "-" for the library itself);
    // callbacks: the sink that was called ("S1").
    std::string object;
    std::string operation;          // kCall/kReturn
    std::vector<std::string> args;  // kCall: the arguments; kReturn: the result, then what came back
    int panel = -1;                 // callbacks: PanelIndex, -1 for an interface no panel has
    std::string iid;                // callbacks: the panel name or the unknown identifier as written
    PanelChanges changes{};         // kReport
    PanelStatus status{};           // kReport
    std::int32_t state = 0;         // kConnection
    std::int32_t first = 0;         // kProgress
    std::int32_t value = 0;         // kProgress
    std::string text;               // kNote
};
