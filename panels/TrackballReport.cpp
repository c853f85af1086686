#include "panels/TrackballReport.h"

#include <algorithm>

#include "panels/TrackballKeys.h"

namespace {
// Changes: byte 0 key bits, 1 ball moved, 2 ring turned.
// Status: byte 0 key bits, 1/2 ball x, 3/4 ball y, 5/6 ring, 7 LED bits.
int Difference(const PanelStatus& status, int first) {
    return static_cast<int>(status.bytes[first]) - static_cast<int>(status.bytes[first + 1]);
}
}  // namespace

int ClampBallMovement(int movement) { return std::clamp(movement, -kTrackballBallLimit, kTrackballBallLimit); }

void TrackballBallMovement(const PanelStatus& status, int& dx, int& dy) {
    dx = Difference(status, 1);
    dy = Difference(status, 3);
}

std::vector<TrackballReportAction> DecodeTrackballReport(const PanelChanges& changes, const PanelStatus& status) {
    std::vector<TrackballReportAction> actions;
    for (int key = 0; key < kTrackballKeyCount; ++key) {
        const unsigned mask = 1u << key;
        if (!(changes.bytes[0] & mask)) continue;
        if (status.bytes[0] & mask) {
            actions.push_back(TrackballReportAction::Key(key, 1));
            continue;
        }
        actions.push_back(TrackballReportAction::Key(key, 0));
        // A release asks the panel for the opposite of the LED state it reports.
        actions.push_back(TrackballReportAction::Led(key, (status.bytes[kTrackballLedByte] & mask) ? 0 : 1));
    }
    if (changes.bytes[1] != 0) {
        int dx = 0, dy = 0;
        TrackballBallMovement(status, dx, dy);
        actions.push_back(TrackballReportAction::Ball(ClampBallMovement(dx), ClampBallMovement(dy)));
    }
    if (changes.bytes[2] != 0) actions.push_back(TrackballReportAction::Ring(Difference(status, 5)));
    return actions;
}
