// The Jog & Shuttle window's keys: which report bit each one answers to, and
// where the window puts it. Window-free, so that the report decoder reading it
// also serves velsim's recording timeline and the native tests.
#pragma once

#include "panels/KeyOutline.h"
#include "res/resource.h"

struct JogKeyLayout {
    unsigned id;
    int group;  // report key group 1 to 3
    int bit;
    unsigned normalBitmap;
    unsigned pressedBitmap;
    int x, y, width, height;
    KeyOutline outline;
    const char* name;  // as printed on the panel (the transport keys' symbols spelt out)
};

// The three key lists, in list order: function-key row, transport row, and
// the round-key list A to G, shift, enter.
constexpr int kJogFunctionKeyCount = 6;
constexpr int kJogTransportKeyCount = 5;
constexpr int kJogRoundKeyCount = 9;
constexpr int kJogKeyCount = kJogFunctionKeyCount + kJogTransportKeyCount + kJogRoundKeyCount;

inline constexpr JogKeyLayout kJogKeys[kJogKeyCount] = {
    {IDC_F1_BTN, 1, 0, 134, 132, 20, 23, 38, 38, KeyOutline::Rectangle, "F1"},
    {IDC_F2_BTN, 1, 1, 135, 140, 60, 23, 38, 38, KeyOutline::Rectangle, "F2"},
    {IDC_F3_BTN, 1, 2, 136, 141, 100, 23, 38, 38, KeyOutline::Rectangle, "F3"},
    {IDC_F4_BTN, 1, 3, 137, 142, 140, 23, 38, 38, KeyOutline::Rectangle, "F4"},
    {IDC_F5_BTN, 1, 4, 138, 143, 180, 23, 38, 38, KeyOutline::Rectangle, "F5"},
    {IDC_F6_BTN, 1, 5, 139, 144, 220, 23, 38, 38, KeyOutline::Rectangle, "F6"},
    {Dev_ReverseButton, 1, 6, 145, 150, 40, 63, 38, 38, KeyOutline::Rectangle, "REVERSE"},
    {Dev_PlayButton, 1, 7, 146, 151, 80, 63, 38, 38, KeyOutline::Rectangle, "PLAY"},
    {Dev_StopButton, 2, 0, 147, 152, 120, 63, 38, 38, KeyOutline::Rectangle, "STOP"},
    {Dev_Rewind_Button, 2, 1, 148, 172, 160, 63, 38, 38, KeyOutline::Rectangle, "REWIND"},
    {Dev_Forward_Button, 2, 2, 149, 153, 200, 63, 38, 38, KeyOutline::Rectangle, "FFWD"},
    {Dev_A_Button, 2, 4, 158, 159, 16, 189, 36, 36, KeyOutline::Ellipse, "A"},
    {Dev_B_Button, 2, 5, 160, 161, 37, 149, 36, 36, KeyOutline::Ellipse, "B"},
    {Dev_C_Button, 2, 6, 162, 163, 75, 121, 36, 36, KeyOutline::Ellipse, "C"},
    {Dev_D_Button, 2, 7, 164, 165, 124, 112, 36, 36, KeyOutline::Ellipse, "D"},
    {dev_E_Button, 3, 0, 166, 167, 174, 120, 36, 36, KeyOutline::Ellipse, "E"},
    {Dev_F_Button, 3, 1, 168, 169, 211, 150, 36, 36, KeyOutline::Ellipse, "F"},
    // The G key's artwork was numbered the other way round.
    {Dev_G_Button, 3, 2, 171, 170, 232, 191, 36, 36, KeyOutline::Ellipse, "G"},
    {SHIFT_BTN, 2, 3, 154, 155, 8, 247, 51, 71, KeyOutline::LeftWing, "SHIFT"},
    {ENTER_BTN, 3, 3, 156, 157, 223, 246, 51, 71, KeyOutline::RightWing, "ENTER"},
};
