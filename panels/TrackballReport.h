// Decoding of the Trackball panel's reports, apart from any window so that it
// can be checked directly.
#pragma once

#include <vector>

#include "contract/PanelBlocks.h"

// The ball movement shown is held to this many pixels either way, so that the
// ball circle stays inside the ring.
constexpr int kTrackballBallLimit = 50;
// The status byte with the keys' LEDs, bit n for key n.
constexpr int kTrackballLedByte = 7;

// One step of showing a report, in the order the window must apply them.
struct TrackballReportAction {
    enum Kind { SetKey, SetLed, MoveBall, RotateRing };
    Kind kind;
    int index = 0;  // SetKey: index into kTrackballKeys; SetLed: LED number (the key index)
    int value = 0;  // SetKey: 1 down, 0 up; SetLed: 1 lit, 0 dark; RotateRing: signed movement, as reported
    int dx = 0;     // MoveBall: the ball movement, already held to the limit
    int dy = 0;

    static TrackballReportAction Key(int key, int down) { return {SetKey, key, down}; }
    // Only with a device.
    static TrackballReportAction Led(int led, int lit) { return {SetLed, led, lit}; }
    static TrackballReportAction Ball(int dx, int dy) { return {MoveBall, 0, 0, dx, dy}; }
    static TrackballReportAction Ring(int steps) { return {RotateRing, 0, steps}; }

    bool operator==(const TrackballReportAction& o) const {
        return kind == o.kind && index == o.index && value == o.value && dx == o.dx && dy == o.dy;
    }
};

int ClampBallMovement(int movement);
// The ball's movement in a report as the panel counts it, before it is held to
// the window's limit: what a recording's timeline adds up.
void TrackballBallMovement(const PanelStatus& status, int& dx, int& dy);

std::vector<TrackballReportAction> DecodeTrackballReport(const PanelChanges& changes, const PanelStatus& status);
