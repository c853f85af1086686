// The Media Bar window's keys: which report bits each one answers to, and where
// the window puts it; the number of knobs. Window-free, so that the report
// decoder reading it also serves velsim's recording timeline and the native
// tests.
#pragma once

#include "res/resource.h"

struct MediaBarKeyLayout {
    unsigned id;       // the template's button that the key is attached to
    unsigned keyMask;  // changes byte 0, status byte 0
    unsigned ledMask;  // changes byte 9, status byte 17
    int led;
    unsigned normalBitmap;
    unsigned pressedBitmap;
    int x, y, width, height;
    const char* name;  // as printed on the panel
};

// Both keys share the Audio panel's 22 x 22 key bitmaps.
constexpr unsigned kMediaBarKeyBitmap = IDB_AUDIO_KEY;
constexpr unsigned kMediaBarKeyDownBitmap = IDB_AUDIO_KEY_PRESSED;

constexpr int kMediaBarKeyCount = 2;
inline constexpr MediaBarKeyLayout kMediaBarKeys[kMediaBarKeyCount] = {
    {Dev_A_Button, 0x01, 0x01, 0, kMediaBarKeyBitmap, kMediaBarKeyDownBitmap, 36, 59, 22, 22, "A"},
    {Dev_B_Button, 0x02, 0x02, 1, kMediaBarKeyBitmap, kMediaBarKeyDownBitmap, 36, 89, 22, 22, "B"},
};

constexpr int kMediaBarKnobCount = 8;
