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
