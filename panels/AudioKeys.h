// The Audio window's keys and faders as the panel reports them: which report
// bit each key answers to, the LED number the panel knows it by, where the
// window puts it; the faders and the two indicator LEDs by number. Window-free,
// so that the report decoder reading it also serves velsim's recording
// timeline and the native tests.
#pragma once

#include "res/resource.h"

struct AudioKeyLayout {
    unsigned id;
    int group;  // report key group 0 to 3; the LED number is group * 8 + bit
    int bit;
    int x, y;
};

constexpr int kAudioKeyCount = 29;

// In report order: group 0 bit 0 first.
inline constexpr AudioKeyLayout kAudioKeys[kAudioKeyCount] = {
    {IDC_AUDIO_FUNC, 0, 0, 339, 18},  {IDC_AUDIO_1T, 0, 1, 25, 18},     {IDC_AUDIO_2T, 0, 2, 64, 18},
    {IDC_AUDIO_3T, 0, 3, 104, 18},    {IDC_AUDIO_4T, 0, 4, 143, 18},    {IDC_AUDIO_5T, 0, 5, 182, 18},
    {IDC_AUDIO_6T, 0, 6, 222, 18},    {IDC_AUDIO_7T, 0, 7, 261, 18},    {IDC_AUDIO_8T, 1, 0, 300, 18},
    {IDC_AUDIO_MUTE, 1, 1, 339, 48},  {IDC_AUDIO_1B, 1, 2, 25, 48},     {IDC_AUDIO_2B, 1, 3, 64, 48},
    {IDC_AUDIO_3B, 1, 4, 104, 48},    {IDC_AUDIO_4B, 1, 5, 143, 48},    {IDC_AUDIO_5B, 1, 6, 182, 48},
    {IDC_AUDIO_6B, 1, 7, 222, 48},    {IDC_AUDIO_7B, 2, 0, 261, 48},    {IDC_AUDIO_8B, 2, 1, 300, 48},
    {IDC_AUDIO_SOLO, 2, 2, 437, 142}, {IDC_AUDIO_BANK, 2, 3, 437, 179}, {IDC_AUDIO_MONO, 2, 4, 466, 142},
    {IDC_AUDIO_15L, 2, 5, 437, 216},  {IDC_AUDIO_26L, 2, 6, 437, 247},  {IDC_AUDIO_37L, 2, 7, 437, 278},
    {IDC_AUDIO_48L, 3, 0, 437, 309},  {IDC_AUDIO_15R, 3, 1, 466, 216},  {IDC_AUDIO_26R, 3, 2, 466, 247},
    {IDC_AUDIO_37R, 3, 3, 466, 278},  {IDC_AUDIO_48R, 3, 4, 466, 309},
};

// The two indicators' LED numbers.
constexpr int kAudioLedOver = 29;
constexpr int kAudioLedData = 30;

// Faders: eight channels and the master, numbered 0 to 8 towards the panel.
constexpr int kAudioChannelCount = 8;
constexpr int kAudioMasterFader = 8;
constexpr int kAudioFaderCount = 9;
