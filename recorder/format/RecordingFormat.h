// The pieces of the recording's text form shared by the recorder, which writes
// it, and velsim, which reads it: the version line, panel names, hex blocks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class RecordingFormat {
public:
    static constexpr int kVersion = 1;
    // The first line of every recording.
    static const char* VersionLine();
    // "jog", "audio", "trackball", "mediabar" (as velsim names them), or null.
    static const char* PanelName(int panel);
    static int PanelByName(const std::string& name);
    // Lower-case hex, two digits a byte.
    static std::string Hex(const std::uint8_t* bytes, std::size_t count);
    // Hex of a block whose trailing zero bytes are left out ("" when all are zero):
    // the 288-byte status blocks are mostly zeroes.
    static std::string TrimmedHex(const std::uint8_t* bytes, std::size_t count);
    // Exactly count bytes of hex (or, with trimmed, at most count, the rest zero).
    static bool ParseHex(const std::string& text, std::uint8_t* out, std::size_t count, bool trimmed);
    // Milliseconds as written in a line: three decimals.
    static std::string Milliseconds(double ms);
};
