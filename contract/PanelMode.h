// What every panel's SetMode takes; apart from the interfaces, so that code
// with no windows can name a mode.
#pragma once

#include <cstdint>

enum class PanelMode : std::int32_t { Normal = 0, Test = 1 };
