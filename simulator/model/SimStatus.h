// Status values the simulated library returns from device calls. Negative is
// failure, as everywhere on this interface; each failure has its own value so a
// log or a test can tell them apart.
#pragma once

#include <cstdint>

namespace simstatus {
constexpr std::int32_t kOk = 0;
constexpr std::int32_t kBadArgument = -1;    // out-of-range number, null pointer, unknown block
constexpr std::int32_t kNotConnected = -2;   // the panel is unplugged (or power-cycling)
constexpr std::int32_t kBusy = -3;           // a firmware download is already running
constexpr std::int32_t kReleased = -4;       // call through an object whose last reference is gone
constexpr std::int32_t kInjectedFault = -5;  // failure asked for over the control channel
constexpr std::int32_t kNotSupported = -6;   // placeholder slot
constexpr std::int32_t kUnknownInterface = -7;
}  // namespace simstatus
