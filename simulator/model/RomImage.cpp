#include "simulator/model/RomImage.h"

#include "simulator/model/DownloadResult.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {
constexpr std::uint8_t kMagic[4] = {'V', 'P', 'R', 'M'};

std::uint32_t Le32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}
std::uint16_t Le16(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }
void PutLe32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = std::uint8_t(v >> (8 * i));
}
void PutLe16(std::uint8_t* p, std::uint16_t v) {
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}

const std::array<std::uint32_t, 256>& CrcTable() {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    return table;
}
}  // namespace

std::uint32_t RomImage::Crc32(const std::uint8_t* data, std::size_t size) {
    const auto& table = CrcTable();
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) c = table[(c ^ data[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

RomCheck RomImage::Check(const std::vector<std::uint8_t>& file, int panel) {
    RomCheck check;
    const std::uint8_t* p = file.data();
    if (file.size() < kHeaderSize) {
        const bool magicStart = file.size() >= 1 && std::memcmp(p, kMagic, std::min<std::size_t>(file.size(), 4)) == 0;
        check.result = magicStart ? download::kTruncated : download::kBadHeader;
        return check;
    }
    if (std::memcmp(p, kMagic, 4) != 0 || Le16(p + 4) != kFormatVersion || Le32(p + 20) != Crc32(p, 20) ||
        Le16(p + 10) != 0) {
        check.result = download::kBadHeader;
        return check;
    }
    for (std::size_t i = 24; i < kHeaderSize; ++i) {
        if (p[i] != 0) {
            check.result = download::kBadHeader;
            return check;
        }
    }
    RomHeader& h = check.header;
    h.targetPanel = p[6];
    h.firmwareMajor = p[7];
    h.firmwareBuild = Le16(p + 8);
    h.payloadLength = Le32(p + 12);
    h.payloadCrc = Le32(p + 16);
    if (h.payloadLength == 0 || h.payloadLength > kMaxPayload || h.firmwareBuild > 0xFFF) {
        check.result = download::kBadHeader;
        return check;
    }
    check.headerValid = true;
    const std::size_t present = file.size() - kHeaderSize;
    check.payloadPresent = std::uint32_t(std::min<std::size_t>(present, h.payloadLength));
    if (present < h.payloadLength) {
        check.result = download::kTruncated;
    } else if (present > h.payloadLength) {
        check.result = download::kTrailingData;
    } else if (Crc32(p + kHeaderSize, h.payloadLength) != h.payloadCrc) {
        check.result = download::kCorrupt;
    } else if (h.targetPanel != panel) {
        check.result = download::kWrongPanel;
    } else {
        check.result = download::kOk;
    }
    return check;
}

std::vector<std::uint8_t> RomImage::Build(const RomHeader& header, const std::vector<std::uint8_t>& payload) {
    std::vector<std::uint8_t> out(kHeaderSize + payload.size(), 0);
    std::uint8_t* p = out.data();
    std::memcpy(p, kMagic, 4);
    PutLe16(p + 4, kFormatVersion);
    p[6] = std::uint8_t(header.targetPanel);
    p[7] = std::uint8_t(header.firmwareMajor);
    PutLe16(p + 8, std::uint16_t(header.firmwareBuild));
    PutLe32(p + 12, std::uint32_t(payload.size()));
    PutLe32(p + 16, Crc32(payload.data(), payload.size()));
    PutLe32(p + 20, Crc32(p, 20));
    if (!payload.empty()) std::memcpy(p + kHeaderSize, payload.data(), payload.size());
    return out;
}

std::vector<std::uint8_t> RomImage::SamplePayload(std::uint32_t size, std::uint32_t seed) {
    std::vector<std::uint8_t> out(size);
    std::uint32_t x = seed * 2654435761u + 12345u;
    for (auto& b : out) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        b = std::uint8_t(x);
    }
    return out;
}
