// Decoding of the Media Bar panel's reports, apart from any window so that it
// can be checked directly.
#pragma once

#include <cstdint>
#include <vector>

#include "contract/PanelBlocks.h"

// One step of showing a report, in the order the window must apply them.
struct MediaBarReportAction {
    enum Kind {
        SetKey,      // a: key index into kMediaBarKeys; b: 1 down, 0 up
        SetLed,      // a: LED number; b: 1 lit, 0 dark; only with a device
        SetLamp,     // a: key index; b: 1 shown, 0 hidden
        RotateKnob,  // a: knob 0 to 7; b: signed movement, never 0
    };
    Kind kind;
    int a;
    int b;

    bool operator==(const MediaBarReportAction& o) const { return kind == o.kind && a == o.a && b == o.b; }
};

// A knob's movement from its two status bytes: a second byte of 255 marks the
// first as a negative movement (first - 256); otherwise it is first - second.
int KnobMovement(std::uint8_t first, std::uint8_t second);

// knobCount: the knobs the window has (at most 8); the others are not read.
std::vector<MediaBarReportAction> DecodeMediaBarReport(const PanelChanges& changes, const PanelStatus& status,
                                                       int knobCount);
