#pragma once

#include "tools/artgen/Canvas.h"

#include <cstdint>
#include <vector>

// Icon file with one 32-bit BGRA image (plus the 1-bit AND mask that older
// systems draw with) per canvas; canvases up to 255 x 255.
class IcoWriter {
public:
    static std::vector<uint8_t> Encode(const std::vector<Canvas>& images);
};
