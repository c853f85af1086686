// Where the Audio window puts its run-time controls (the keys, with the report
// bit each answers to and the LED number the panel knows it by, in
// AudioKeys.h). Client pixels of the window.
#pragma once

#include <windows.h>

#include "panels/AudioKeys.h"
#include "res/resource.h"

constexpr int kAudioKeySize = 22;

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
inline constexpr AudioLedLayout kAudioOver = {IDC_AUDIO_OVER, kAudioLedOver, 375, 23};
inline constexpr AudioLedLayout kAudioData = {IDC_AUDIO_DATA, kAudioLedData, 375, 52};
constexpr int kAudioLedWidth = 12;
constexpr int kAudioLedHeight = 10;
constexpr UINT kAudioLedDarkBitmap = IDB_JOG_LAMP_DARK;
constexpr UINT kAudioLedLitBitmap = IDB_JOG_LAMP_LIT;

// Faders: kAudioFaderCount of them (AudioKeys.h).
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
