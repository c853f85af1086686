#pragma once

#include "tools/artgen/Canvas.h"
#include "tools/artgen/PlateMap.h"

#include <map>

// The Media Bar module: the picture IDB_MEDIABAR_PANEL and the eight knob
// skins from IDB_MEDIABAR_KNOB_FIRST.
//
// Unlike the other pictures, its control does not sit at the window's corner:
// the window places it (panels/MediaBarLayout.h) so that the bitmap's (0, 0)
// is client pixel (18, 53), whatever the dialog font. The keys and knobs are
// placed in client pixels, so they are drawn at their client position minus
// that origin.
class MediaBarArt {
public:
    static constexpr int kWidth = 547;
    static constexpr int kHeight = 78;
    static constexpr int kOriginX = 18;
    static constexpr int kOriginY = 53;
    static constexpr int kKnobs = 8;
    static constexpr int kKnobSize = 41, kKnobSkin = 42;

    static int KnobX(int k) { return 75 + 62 * k; }
    static constexpr int kKnobY = 74;

    // `map`, when given, receives the picture's labels and parts.
    static Canvas Picture(PlateMap* map = nullptr);
    static void AddBitmaps(std::map<int, Canvas>& out);
};
