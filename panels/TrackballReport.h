// Decoding of the Trackball panel's reports, apart from any window so that it
// can be checked directly.
#pragma once

#include <vector>

#include "contract/PanelBlocks.h"

// The ball movement shown is held to this many pixels either way, so that the
// ball circle stays inside the ring.
constexpr int kTrackballBallLimit = 50;

// One step of showing a report, in the order the window must apply them.
struct TrackballReportAction {
    enum Kind {
        SetKey,      // a: key index into kTrackballKeys; b: 1 down, 0 up
        SetLed,      // a: LED number (the key index); b: 1 lit, 0 dark; only with a device
        MoveBall,    // a, b: the ball movement x, y, already held to the limit
        RotateRing,  // a: signed ring movement, as reported
    };
    Kind kind;
    int a;
    int b;

    bool operator==(const TrackballReportAction& o) const { return kind == o.kind && a == o.a && b == o.b; }
};

int ClampBallMovement(int movement);

std::vector<TrackballReportAction> DecodeTrackballReport(const PanelChanges& changes, const PanelStatus& status);
