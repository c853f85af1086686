// Where the Media Bar window puts its knobs (the keys, with the report bits each
// answers to, in MediaBarKeys.h). Client pixels of the window.
#pragma once

#include <windows.h>

#include "panels/MediaBarKeys.h"
#include "res/resource.h"

// Knob k has skin IDB_MEDIABAR_KNOB_FIRST + k and sits at (75 + 62 k, 74); all
// share IDC_DIAL_CTRL.
constexpr int kMediaBarKnobSize = 41;
constexpr int kMediaBarKnobY = 74;
constexpr int MediaBarKnobX(int k) { return 75 + 62 * k; }

// The picture's top-left pixel (inside the control's two-pixel client edge).
// The template puts the control at dialog units (9, 27), which is client pixel
// (16, 51) only with a 15-pixel font cell; the keys and knobs are placed in
// pixels, so the window moves the picture here whatever the font.
inline constexpr POINT kMediaBarPictureOrigin = {18, 53};
