// Where the Jog & Shuttle window puts its run-time controls (the keys, with the
// report bit each answers to, in JogShuttleKeys.h). Client pixels of the window.
#pragma once

#include <windows.h>

#include "panels/JogShuttleKeys.h"
#include "panels/PanelControls.h"
#include "res/resource.h"
#include "widgets/DialGeometry.h"

// The round keys' outline, in the key's client pixels.
inline constexpr RECT kJogRoundKeyEllipse = {0, 0, 36, 36};

// Lamps: dark normal bitmap, lit pressed bitmap; index = dial mode - 1.
struct JogLampLayout {
    UINT id;
    int x, y;
};
constexpr int kJogLampWidth = 12;
constexpr int kJogLampHeight = 10;
constexpr UINT kJogLampDarkBitmap = IDB_JOG_LAMP_DARK;
constexpr UINT kJogLampLitBitmap = IDB_JOG_LAMP_LIT;
inline constexpr JogLampLayout kJogLamps[3] = {
    {Dev_Jog_Led, 213, 111},
    {Dev_Shuttle_Led, 229, 125},
    {Dev_Dmc_led, 244, 140},
};

// The dial modes the panel reports, indexed by JogDialMode: the DialMode radio
// button of each, its lamp (an index into kJogLamps; OFF has none) and the mode
// the dial control shows it in.
struct JogDialModeLayout {
    UINT radio;
    int lamp;
    dial::Mode dialMode;
};
inline constexpr JogDialModeLayout kJogDialModes[4] = {
    {IDC_DIAL_OFF, -1, dial::Mode::kOff},
    {IDC_DIAL_JOG, 0, dial::Mode::kJog},
    {IDC_DIAL_SHUTTLE, 1, dial::Mode::kShuttle},
    {IDC_DIAL_DMC, 2, dial::Mode::kDmc},
};

// The jog dial: created over a first rectangle, then moved to its place.
inline constexpr RECT kJogDialCreateRect = {88, 188, 197, 297};
constexpr int kJogDialX = 71;
constexpr int kJogDialY = 171;
constexpr int kJogDialSize = 139;

// The picture's top-left pixel (inside the control's one-pixel sunken edge):
// every position above was drawn against the picture placed here.
inline constexpr POINT kJogPictureOrigin = {1, 1};
