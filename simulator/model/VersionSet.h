// Driver and FLASH firmware version of one panel and their place in
// PanelVersionInfo: byte 4 driver build, 5-6 driver minor (little-endian),
// 7 driver major; bytes 8, 9, 10 the hexadecimal digits of the firmware build,
// least significant first, byte 11 the firmware major.
#pragma once

#include <cstdint>

#include "contract/PanelBlocks.h"

struct VersionSet {
    int driverMajor = 1;
    int driverMinor = 0;    // 0 .. 65535
    int driverBuild = 0;    // 0 .. 255
    int firmwareMajor = 1;  // 0 .. 255
    int firmwareBuild = 0;  // 0 .. 0xFFF, shown in hexadecimal

    void Fill(PanelVersionInfo& info) const {
        info.bytes[4] = std::uint8_t(driverBuild);
        info.bytes[5] = std::uint8_t(driverMinor & 0xFF);
        info.bytes[6] = std::uint8_t((driverMinor >> 8) & 0xFF);
        info.bytes[7] = std::uint8_t(driverMajor);
        info.bytes[8] = std::uint8_t(firmwareBuild & 0xF);
        info.bytes[9] = std::uint8_t((firmwareBuild >> 4) & 0xF);
        info.bytes[10] = std::uint8_t((firmwareBuild >> 8) & 0xF);
        info.bytes[11] = std::uint8_t(firmwareMajor);
    }
};
