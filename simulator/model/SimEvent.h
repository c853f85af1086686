// One thing the simulated panels tell the program: a report, a connection
// change, the end of a download, or (fault injection) a callback naming an
// interface nobody knows. The device library turns each into a sink callback.
#pragma once

#include <cstdint>

#include "contract/PanelBlocks.h"

struct SimEvent {
    enum Kind { kReport, kConnection, kProgress, kUnknownIid };
    Kind kind = kReport;
    int panel = 0;           // PanelIndex; for kUnknownIid the panel whose sinks get it, -1 for all
    PanelChanges changes{};  // kReport
    PanelStatus status{};    // kReport
    std::int32_t state = 0;  // kConnection: 1 connected, 0 not
    std::int32_t first = 0;  // kProgress: first argument of OnPanelProgress
    std::int32_t value = 0;  // kProgress: the download result
};
