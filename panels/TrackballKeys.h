// The Trackball window's keys and where the window puts them; a key's index is
// its bit in the report bytes and its LED number. Window-free, so that the
// report decoder reading it also serves velsim's recording timeline and the
// native tests.
#pragma once

#include "panels/KeyOutline.h"
#include "res/resource.h"

struct TrackballKeyLayout {
    unsigned id;
    unsigned normalBitmap;
    unsigned pressedBitmap;
    int x, y, width, height;
    KeyOutline outline;
    const char* name;  // as printed on the panel
};

constexpr int kTrackballKeyCount = 8;

// The wing windows are larger than their 52 x 72 bitmaps; the outline cuts
// them to the bitmap's wing, so nothing of the rest shows or takes clicks.
// Key E's window is five pixels taller than the others; its ellipse keeps it
// as round as they are.
inline constexpr TrackballKeyLayout kTrackballKeys[kTrackballKeyCount] = {
    {SHIFT_BTN, 154, 155, 13, 155, 70, 87, KeyOutline::LeftWing, "SHIFT"},
    {Dev_A_Button, 158, 159, 28, 79, 35, 35, KeyOutline::Ellipse, "A"},
    {Dev_B_Button, 160, 161, 59, 39, 35, 35, KeyOutline::Ellipse, "B"},
    {Dev_C_Button, 162, 163, 106, 17, 35, 35, KeyOutline::Ellipse, "C"},
    {Dev_D_Button, 164, 165, 159, 17, 35, 35, KeyOutline::Ellipse, "D"},
    {dev_E_Button, 166, 167, 206, 39, 35, 40, KeyOutline::Ellipse, "E"},
    {Dev_F_Button, 168, 169, 239, 79, 35, 35, KeyOutline::Ellipse, "F"},
    {ENTER_BTN, 156, 157, 240, 155, 70, 87, KeyOutline::RightWing, "ENTER"},
};
