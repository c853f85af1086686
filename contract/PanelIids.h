// Interface identifiers of the four panels, indexed by PanelIndex.
#pragma once

#include <windows.h>

#include "contract/PanelBlocks.h"

inline constexpr GUID IID_TqJogShuttleDevice = {
    0x9ECDF028, 0x0232, 0x4017, {0xBA, 0x45, 0x51, 0xF6, 0x2E, 0x2E, 0x83, 0x8F}};
inline constexpr GUID IID_TqJogShuttleEvents = {
    0x0098E63F, 0xB54F, 0x4540, {0xBD, 0x10, 0xB1, 0xBF, 0xFC, 0xE0, 0x10, 0x2B}};
inline constexpr GUID IID_TqAudioDevice = {
    0x8D192FC0, 0x8DE2, 0x4A93, {0x93, 0xCE, 0x7B, 0xC1, 0xD4, 0xAE, 0x84, 0x6E}};
inline constexpr GUID IID_TqAudioEvents = {
    0xE567646E, 0x5BE9, 0x4E5A, {0xAB, 0xA5, 0xB9, 0x10, 0x52, 0x37, 0x5B, 0xAB}};
inline constexpr GUID IID_TqTrackballDevice = {
    0xB4F7281D, 0x9F76, 0x44C5, {0xBF, 0x58, 0xE7, 0x0E, 0x19, 0xE7, 0xA7, 0xDF}};
inline constexpr GUID IID_TqTrackballEvents = {
    0x57A76C08, 0xC283, 0x404F, {0x91, 0xF7, 0x1C, 0x8D, 0xA5, 0x8B, 0xF4, 0xFB}};
inline constexpr GUID IID_TqMediaBarDevice = {
    0x7CC5165B, 0x5279, 0x4F30, {0xB0, 0xA6, 0x7C, 0x74, 0x0F, 0x83, 0x23, 0x61}};
inline constexpr GUID IID_TqMediaBarEvents = {
    0x67824891, 0xCCBA, 0x4C21, {0x98, 0x6B, 0xE6, 0xF5, 0x8D, 0x14, 0x7A, 0x78}};

inline constexpr const GUID* kDeviceIids[kPanelCount] = {&IID_TqJogShuttleDevice, &IID_TqAudioDevice,
                                                         &IID_TqTrackballDevice, &IID_TqMediaBarDevice};
inline constexpr const GUID* kEventIids[kPanelCount] = {&IID_TqJogShuttleEvents, &IID_TqAudioEvents,
                                                        &IID_TqTrackballEvents, &IID_TqMediaBarEvents};

inline bool SameIid(const GUID& a, const GUID& b) { return std::memcmp(&a, &b, sizeof(GUID)) == 0; }

// The PanelIndex whose event interface has this identifier, or -1.
inline int PanelOfEventIid(const GUID* iid) {
    if (!iid) return -1;
    for (int p = 0; p < kPanelCount; ++p)
        if (SameIid(*iid, *kEventIids[p])) return p;
    return -1;
}
