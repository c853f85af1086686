#pragma once

#include "tools/artgen/Canvas.h"

// The application icon 128: a small control surface (keys, a lit lamp and
// a jog wheel) seen from above, drawn separately at 32 and 16 pixels.
class IconArt {
public:
    static Canvas Large();  // 32 x 32
    static Canvas Small();  // 16 x 16
};
