// Decoding of the Media Bar panel's reports, apart from any window so that it
// can be checked directly.
#pragma once

#include <cstdint>
#include <vector>

#include "contract/PanelBlocks.h"

// One step of showing a report, in the order the window must apply them.
struct MediaBarReportAction {
    enum Kind { SetKey, SetLed, SetLamp, RotateKnob };
    Kind kind;
    int index;  // SetKey, SetLamp: index into kMediaBarKeys; SetLed: LED number; RotateKnob: knob 0 to 7
    int value;  // SetKey: 1 down, 0 up; SetLed: 1 lit, 0 dark; SetLamp: 1 shown, 0 hidden;
                // RotateKnob: signed movement, never 0

    static MediaBarReportAction Key(int key, int down) { return {SetKey, key, down}; }
    // Only with a device.
    static MediaBarReportAction Led(int led, int lit) { return {SetLed, led, lit}; }
    static MediaBarReportAction Lamp(int key, int shown) { return {SetLamp, key, shown}; }
    static MediaBarReportAction Knob(int knob, int steps) { return {RotateKnob, knob, steps}; }

    bool operator==(const MediaBarReportAction& o) const {
        return kind == o.kind && index == o.index && value == o.value;
    }
};

// A knob's movement from its two status bytes: a second byte of 255 marks the
// first as a negative movement (first - 256); otherwise it is first - second.
int KnobMovement(std::uint8_t first, std::uint8_t second);

// knobCount: the knobs the window has (at most 8); the others are not read.
std::vector<MediaBarReportAction> DecodeMediaBarReport(const PanelChanges& changes, const PanelStatus& status,
                                                       int knobCount);
