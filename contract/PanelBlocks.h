// Report, version and status blocks exchanged with the device library.
// Pure data: no Win32 here, so the simulator's panel models and native tests
// can use the same layouts as the program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

enum PanelIndex : int {
    kPanelJogShuttle = 0,
    kPanelAudio = 1,
    kPanelTrackball = 2,
    kPanelMediaBar = 3,
};
constexpr int kPanelCount = 4;

// Change flags of one report; the meaning of each byte is the panel's own.
struct PanelChanges {
    std::uint8_t bytes[28];
};

// Current values of one report, same per-panel convention.
struct PanelStatus {
    std::uint8_t bytes[32];
};

// Filled by the event interface's GetVersionInfo: bytes 4-7 driver, 8-11 FLASH firmware.
struct PanelVersionInfo {
    std::uint8_t bytes[288];
};

// Filled by a device interface's GetDeviceStatus; little-endian 32-bit fields.
struct PanelDeviceStatus {
    std::uint8_t bytes[288];
};

static_assert(sizeof(PanelChanges) == 28, "PanelChanges is 28 bytes on the wire");
static_assert(sizeof(PanelStatus) == 32, "PanelStatus is 32 bytes on the wire");
static_assert(sizeof(PanelVersionInfo) == 288, "PanelVersionInfo is 288 bytes");
static_assert(sizeof(PanelDeviceStatus) == 288, "PanelDeviceStatus is 288 bytes");

// Field offsets inside PanelDeviceStatus.
constexpr std::size_t kStatusPendingOffset = 268;
constexpr std::size_t kStatusDownloadResultOffset = 272;
constexpr std::size_t kStatusDownloadTotalOffset = 280;
constexpr std::size_t kStatusDownloadPositionOffset = 284;

// The Jog & Shuttle dial-mode command block.
constexpr std::size_t kDialModeBlockSize = 60;

inline std::int32_t ReadLe32(const std::uint8_t* block, std::size_t offset) {
    const std::uint32_t v = std::uint32_t(block[offset]) | (std::uint32_t(block[offset + 1]) << 8) |
                            (std::uint32_t(block[offset + 2]) << 16) | (std::uint32_t(block[offset + 3]) << 24);
    std::int32_t out;
    std::memcpy(&out, &v, sizeof out);
    return out;
}

inline void WriteLe32(std::uint8_t* block, std::size_t offset, std::int32_t value) {
    std::uint32_t v;
    std::memcpy(&v, &value, sizeof v);
    for (int i = 0; i < 4; ++i) block[offset + i] = std::uint8_t(v >> (8 * i));
}

inline std::int16_t ReadLe16(const std::uint8_t* block, std::size_t offset) {
    const std::uint16_t v = std::uint16_t(block[offset] | (block[offset + 1] << 8));
    std::int16_t out;
    std::memcpy(&out, &v, sizeof out);
    return out;
}
