#pragma once

#include "tools/artgen/Canvas.h"
#include "tools/artgen/PlateMap.h"

#include <map>
#include <string>
#include <vector>

// The Trackball module: the picture IDB_TRACKBALL_PANEL and the ball-and-ring
// skin IDB_TRACKBALL_BALL. Its keys use the round and wing key bitmaps of the
// Jog & Shuttle module (154 to 169), so the picture draws the same keys at its
// own places.
class TrackballArt {
public:
    static constexpr int kWidth = 300;
    static constexpr int kHeight = 258;
    // The picture control has WS_EX_CLIENTEDGE: its bitmap starts two pixels
    // into the control, at client pixel (2, 2).
    static constexpr int kOrigin = 2;
    static constexpr int kDialX = 57, kDialY = 54, kDialSize = 193;
    static constexpr int kSkinWidth = 188, kSkinHeight = 187;

    // `map`, when given, receives the picture's labels and parts.
    static Canvas Picture(PlateMap* map = nullptr);
    static void AddBitmaps(std::map<int, Canvas>& out);
    // Ball, groove and ring centred on (cx, cy), canvas pixels.
    static void Ball(Canvas& canvas, double cx, double cy);
};
