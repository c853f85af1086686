// The download result word (PanelDeviceStatus offset 272) the simulated panels
// leave after a firmware download. 0 is success; every failure has its own code
// so a service engineer (and a test) can tell what went wrong.
#pragma once

#include <cstdint>

namespace download {
constexpr std::int32_t kOk = 0;
constexpr std::int32_t kFileMissing = 1;   // the file could not be opened or read
constexpr std::int32_t kBadHeader = 2;     // not one of our images: magic, format, header checksum, fields
constexpr std::int32_t kTruncated = 3;     // the file ends before the payload its header announces
constexpr std::int32_t kCorrupt = 4;       // payload checksum does not match
constexpr std::int32_t kWrongPanel = 5;    // an intact image made for another panel
constexpr std::int32_t kTrailingData = 6;  // bytes after the announced payload
constexpr std::int32_t kUnplugged = 7;     // the panel went away during the transfer

const char* ResultName(std::int32_t code);
}  // namespace download
