// Firmware image files (*.rom) of the simulated panels.
//
// Layout, all numbers little-endian:
//   offset size  field
//   0      4     magic "VPRM"
//   4      2     format version, 1
//   6      1     target panel (0 Jog & Shuttle, 1 Audio, 2 Trackball, 3 Media Bar;
//                any other value names a module that is none of these four)
//   7      1     firmware major version (0..255)
//   8      2     firmware build (0..0xFFF, shown in hexadecimal)
//   10     2     reserved, 0
//   12     4     payload length in bytes (1 .. kMaxPayload)
//   16     4     CRC-32 (IEEE 802.3, as in zip) of the payload
//   20     4     CRC-32 of header bytes 0..19
//   24     8     reserved, 0
//   32     ...   payload, exactly "payload length" bytes, nothing after it
//
// Check order and results (DownloadResult.h), the order in which a panel finds
// out while taking the image: file missing; shorter than the header (truncated
// when what there is starts with the magic, else bad header); magic, format,
// header CRC, reserved bytes, payload length -> bad header; file shorter than
// header + payload -> truncated; longer -> trailing data; payload CRC ->
// corrupt; an intact image whose target is not this panel -> wrong panel.
// So a corrupt or truncated image fails as such on every panel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct RomHeader {
    int targetPanel = 0;
    int firmwareMajor = 1;
    int firmwareBuild = 0;
    std::uint32_t payloadLength = 0;
    std::uint32_t payloadCrc = 0;
};

struct RomCheck {
    std::int32_t result = 0;   // download::k...
    bool headerValid = false;  // header fields below are meaningful
    RomHeader header;
    std::uint32_t payloadPresent = 0;  // payload bytes actually in the file
};

class RomImage {
public:
    static constexpr std::size_t kHeaderSize = 32;
    static constexpr std::uint32_t kMaxPayload = 1u << 20;
    static constexpr std::uint16_t kFormatVersion = 1;

    static std::uint32_t Crc32(const std::uint8_t* data, std::size_t size);

    // Checks a whole file's bytes as the given panel would before and while
    // taking it.
    static RomCheck Check(const std::vector<std::uint8_t>& file, int panel);

    // Makes an intact image; payload must be 1..kMaxPayload bytes.
    static std::vector<std::uint8_t> Build(const RomHeader& header, const std::vector<std::uint8_t>& payload);

    // A deterministic filler payload of the given size, different per seed.
    static std::vector<std::uint8_t> SamplePayload(std::uint32_t size, std::uint32_t seed);
};
