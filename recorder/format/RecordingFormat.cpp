#include "recorder/format/RecordingFormat.h"

#include "contract/PanelBlocks.h"

namespace {
const char* const kPanelNames[kPanelCount] = {"jog", "audio", "trackball", "mediabar"};

int HexDigit(char ch) {
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
    return -1;
}
}  // namespace

const char* RecordingFormat::VersionLine() { return "tqrec 1"; }

const char* RecordingFormat::PanelName(int panel) {
    return panel >= 0 && panel < kPanelCount ? kPanelNames[panel] : nullptr;
}

int RecordingFormat::PanelByName(const std::string& name) {
    for (int p = 0; p < kPanelCount; ++p)
        if (name == kPanelNames[p]) return p;
    return -1;
}

std::string RecordingFormat::Hex(const std::uint8_t* bytes, std::size_t count) {
    static const char kDigits[] = "0123456789abcdef";
    std::string out(count * 2, '0');
    for (std::size_t i = 0; i < count; ++i) {
        out[2 * i] = kDigits[bytes[i] >> 4];
        out[2 * i + 1] = kDigits[bytes[i] & 15];
    }
    return out;
}

std::string RecordingFormat::TrimmedHex(const std::uint8_t* bytes, std::size_t count) {
    while (count > 0 && bytes[count - 1] == 0) --count;
    return Hex(bytes, count);
}

bool RecordingFormat::ParseHex(const std::string& text, std::uint8_t* out, std::size_t count, bool trimmed) {
    if (text.size() % 2 != 0) return false;
    const std::size_t n = text.size() / 2;
    if (trimmed ? n > count : n != count) return false;
    for (std::size_t i = 0; i < count; ++i) {
        if (i >= n) {
            out[i] = 0;
            continue;
        }
        const int hi = HexDigit(text[2 * i]), lo = HexDigit(text[2 * i + 1]);
        if (hi < 0 || lo < 0) return false;
        out[i] = std::uint8_t(hi * 16 + lo);
    }
    return true;
}

std::string RecordingFormat::Milliseconds(double ms) {
    if (ms < 0) ms = 0;
    // Whole microseconds, written as integers: no locale, no float formatting quirks.
    const auto us = static_cast<std::int64_t>(ms * 1000.0 + 0.5);
    const int frac = int(us % 1000);
    return std::to_string(us / 1000) + (frac < 100 ? (frac < 10 ? ".00" : ".0") : ".") + std::to_string(frac);
}
