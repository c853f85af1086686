// Where the Audio window puts its run-time controls, which report bit each key
// answers to and which LED number the panel knows it by. Client pixels of the
// window.
#pragma once

#include <windows.h>

#include "res/resource.h"

struct AudioKeyLayout {
    UINT id;
    int group;  // report key group 0 to 3; the LED number is group * 8 + bit
    int bit;
    int x, y;
    const char* name;  // as the panel's keys are known, on the picture and to the simulator
};

constexpr int kAudioKeyCount = 29;
constexpr int kAudioKeySize = 22;

// In report order: group 0 bit 0 first.
inline constexpr AudioKeyLayout kAudioKeys[kAudioKeyCount] = {
    {IDC_AUDIO_FUNC, 0, 0, 339, 18, "FUNC"},  {IDC_AUDIO_1T, 0, 1, 25, 18, "1_T"},     {IDC_AUDIO_2T, 0, 2, 64, 18, "2_T"},
    {IDC_AUDIO_3T, 0, 3, 104, 18, "3_T"},    {IDC_AUDIO_4T, 0, 4, 143, 18, "4_T"},    {IDC_AUDIO_5T, 0, 5, 182, 18, "5_T"},
    {IDC_AUDIO_6T, 0, 6, 222, 18, "6_T"},    {IDC_AUDIO_7T, 0, 7, 261, 18, "7_T"},    {IDC_AUDIO_8T, 1, 0, 300, 18, "8_T"},
    {IDC_AUDIO_MUTE, 1, 1, 339, 48, "MUTE"},  {IDC_AUDIO_1B, 1, 2, 25, 48, "1_B"},     {IDC_AUDIO_2B, 1, 3, 64, 48, "2_B"},
    {IDC_AUDIO_3B, 1, 4, 104, 48, "3_B"},    {IDC_AUDIO_4B, 1, 5, 143, 48, "4_B"},    {IDC_AUDIO_5B, 1, 6, 182, 48, "5_B"},
    {IDC_AUDIO_6B, 1, 7, 222, 48, "6_B"},    {IDC_AUDIO_7B, 2, 0, 261, 48, "7_B"},    {IDC_AUDIO_8B, 2, 1, 300, 48, "8_B"},
    {IDC_AUDIO_SOLO, 2, 2, 437, 142, "SOLO"}, {IDC_AUDIO_BANK, 2, 3, 437, 179, "BANK"}, {IDC_AUDIO_MONO, 2, 4, 466, 142, "MONO"},
    {IDC_AUDIO_15L, 2, 5, 437, 216, "1/5_L"},  {IDC_AUDIO_26L, 2, 6, 437, 247, "2/6_L"},  {IDC_AUDIO_37L, 2, 7, 437, 278, "3/7_L"},
    {IDC_AUDIO_48L, 3, 0, 437, 309, "4/8_L"},  {IDC_AUDIO_15R, 3, 1, 466, 216, "1/5_R"},  {IDC_AUDIO_26R, 3, 2, 466, 247, "2/6_R"},
    {IDC_AUDIO_37R, 3, 3, 466, 278, "3/7_R"},  {IDC_AUDIO_48R, 3, 4, 466, 309, "4/8_R"},
};

// The order in which the keys are set up: top row, bottom row, the single keys,
// then the L/R pairs.
inline constexpr UINT kAudioKeySetupOrder[kAudioKeyCount] = {
    IDC_AUDIO_1T,   IDC_AUDIO_2T,   IDC_AUDIO_3T,   IDC_AUDIO_4T,  IDC_AUDIO_5T,   IDC_AUDIO_6T,
    IDC_AUDIO_7T,   IDC_AUDIO_8T,   IDC_AUDIO_1B,   IDC_AUDIO_2B,  IDC_AUDIO_3B,   IDC_AUDIO_4B,
    IDC_AUDIO_5B,   IDC_AUDIO_6B,   IDC_AUDIO_7B,   IDC_AUDIO_8B,  IDC_AUDIO_FUNC, IDC_AUDIO_MUTE,
    IDC_AUDIO_SOLO, IDC_AUDIO_MONO, IDC_AUDIO_BANK, IDC_AUDIO_15L, IDC_AUDIO_15R,  IDC_AUDIO_26L,
    IDC_AUDIO_26R,  IDC_AUDIO_37L,  IDC_AUDIO_37R,  IDC_AUDIO_48L, IDC_AUDIO_48R,
};

constexpr UINT kAudioKeyBitmap = IDB_AUDIO_KEY;
constexpr UINT kAudioKeyPressedBitmap = IDB_AUDIO_KEY_PRESSED;

// The two indicators: dark normal bitmap, lit pressed bitmap.
struct AudioLedLayout {
    UINT id;
    int led;
    int x, y;
};
constexpr int kAudioLedOver = 29;
constexpr int kAudioLedData = 30;
inline constexpr AudioLedLayout kAudioOver = {IDC_AUDIO_OVER, kAudioLedOver, 375, 23};
inline constexpr AudioLedLayout kAudioData = {IDC_AUDIO_DATA, kAudioLedData, 375, 52};
constexpr int kAudioLedWidth = 12;
constexpr int kAudioLedHeight = 10;
constexpr UINT kAudioLedDarkBitmap = IDB_JOG_LAMP_DARK;
constexpr UINT kAudioLedLitBitmap = IDB_JOG_LAMP_LIT;

// Faders: eight channels and the master, numbered 0 to 8 towards the panel.
constexpr int kAudioChannelCount = 8;
constexpr int kAudioMasterFader = 8;
constexpr int kAudioFaderCount = 9;
constexpr int kAudioFaderFirstX = 22;
constexpr int kAudioFaderStepX = 39;
constexpr int kAudioFaderEndX = 334;  // channel faders stand left of this
constexpr int kAudioMasterX = 369;
constexpr int kAudioFaderY = 100;
inline constexpr RECT kAudioFaderTrack = {3, 5, 27, 267};
constexpr UINT kAudioFaderBackground = IDB_FADER_BACK;
constexpr UINT kAudioChannelThumb = IDB_AUDIO_THUMB;
constexpr UINT kAudioMasterThumb = IDB_AUDIO_MASTER_THUMB;
constexpr int kAudioFaderMin = 0;
constexpr int kAudioFaderMax = 255;

// The picture's top-left pixel (inside the control's two-pixel client edge):
// every position above was drawn against the picture placed here.
inline constexpr POINT kAudioPictureOrigin = {2, 2};

inline constexpr int AudioFaderX(int fader) {
    return fader == kAudioMasterFader ? kAudioMasterX : kAudioFaderFirstX + kAudioFaderStepX * fader;
}
