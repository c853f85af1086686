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
    const char* name;  // as the panel's keys are known, on the picture and to the simulator
};

constexpr int kAudioKeyCount = 29;

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

// The two indicators' LED numbers.
constexpr int kAudioLedOver = 29;
constexpr int kAudioLedData = 30;

// Faders: eight channels and the master, numbered 0 to 8 towards the panel.
constexpr int kAudioChannelCount = 8;
constexpr int kAudioMasterFader = 8;
constexpr int kAudioFaderCount = 9;
