#pragma once

#include "tools/artgen/Canvas.h"

#include <map>
#include <set>

// Puts the generated bitmaps together the way the panel windows show them:
// picture control with its edge, then each key window with its normal or
// pressed bitmap cut to its window rectangle and outline, lamps, dials with
// their white mark. Only for looking at the artwork (`artgen --preview`).
class PreviewComposer {
public:
    using Bitmaps = std::map<int, Canvas>;

    // Keys by their index in the Jog & Shuttle key table; lamps bit i.
    static Canvas JogShuttle(const Bitmaps& bitmaps, const std::set<int>& pressedKeys, unsigned litLamps,
                             int dialDegrees);
    // Keys 0..7 of the Trackball key table.
    static Canvas Trackball(const Bitmaps& bitmaps, const std::set<int>& pressedKeys, int ringDegrees);
    static Canvas MediaBar(const Bitmaps& bitmaps, bool keyADown, bool lampB, int knobDegrees);
    static Canvas Audio(const Bitmaps& bitmaps, const std::set<int>& pressedKeys, int faderValue);
};
