#pragma once

#include "tools/artgen/Canvas.h"

#include <map>

// The Media Bar module: picture 193 and the eight knob skins 194 to 201.
//
// Unlike the other pictures, its control sits at dialog units (9, 27) of a
// template in Arial 9 pt. With that font's dialog base units of 7 x 15
// pixels (the four templates are sized to hold their pictures exactly at
// these units) this is client pixel (16, 51), and the client edge of the
// control moves the bitmap two pixels further: bitmap (0, 0) = client
// (18, 53). The keys and knobs are placed in client pixels, so they are
// drawn at their client position minus that origin. Where the system's
// Arial has a 14-pixel cell (Wine) the bitmap lands at (18, 49) instead, so
// the keys and knobs leave four pixels of plain plate around their windows.
class MediaBarArt {
public:
    static constexpr int kWidth = 547;
    static constexpr int kHeight = 78;
    static constexpr int kOriginX = 18;
    static constexpr int kOriginY = 53;
    static constexpr int kKnobSize = 41, kKnobSkin = 42;

    static int KnobX(int k) { return 75 + 62 * k; }
    static constexpr int kKnobY = 74;

    static Canvas Picture();
    static void AddBitmaps(std::map<int, Canvas>& out);
};
