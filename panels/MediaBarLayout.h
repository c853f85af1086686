// Where the Media Bar window puts its keys and knobs, and which report bits
// each key answers to. Client pixels of the window.
#pragma once

#include <windows.h>

#include "res/resource.h"

struct MediaBarKeyLayout {
    UINT id;           // the template's button that the key is attached to
    unsigned keyMask;  // changes byte 0, status byte 0
    unsigned ledMask;  // changes byte 9, status byte 17
    int led;
    UINT normalBitmap;
    UINT pressedBitmap;
    int x, y, width, height;
    const char* name;  // as printed on the panel
};

// Both keys share the Audio panel's 22 x 22 key bitmaps.
constexpr UINT kMediaBarKeyBitmap = IDB_AUDIO_KEY;
constexpr UINT kMediaBarKeyDownBitmap = IDB_AUDIO_KEY_PRESSED;

constexpr int kMediaBarKeyCount = 2;
inline constexpr MediaBarKeyLayout kMediaBarKeys[kMediaBarKeyCount] = {
    {Dev_A_Button, 0x01, 0x01, 0, kMediaBarKeyBitmap, kMediaBarKeyDownBitmap, 36, 59, 22, 22, "A"},
    {Dev_B_Button, 0x02, 0x02, 1, kMediaBarKeyBitmap, kMediaBarKeyDownBitmap, 36, 89, 22, 22, "B"},
};

// Knob k has skin IDB_MEDIABAR_KNOB_FIRST + k and sits at (75 + 62 k, 74); all
// share IDC_DIAL_CTRL.
constexpr int kMediaBarKnobCount = 8;
constexpr int kMediaBarKnobSize = 41;
constexpr int kMediaBarKnobY = 74;
constexpr int MediaBarKnobX(int k) { return 75 + 62 * k; }

// The picture's top-left pixel (inside the control's two-pixel client edge).
// The template puts the control at dialog units (9, 27), which is client pixel
// (16, 51) only with a 15-pixel font cell; the keys and knobs are placed in
// pixels, so the window moves the picture here whatever the font.
inline constexpr POINT kMediaBarPictureOrigin = {18, 53};
