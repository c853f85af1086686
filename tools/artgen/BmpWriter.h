#pragma once

#include "tools/artgen/Canvas.h"

#include <cstdint>
#include <vector>

// Windows 3 bitmap file: BITMAPFILEHEADER + BITMAPINFOHEADER, 24 bits per
// pixel, bottom-up rows padded to four bytes, which both the resource
// compiler and LoadBitmap take as they are.
class BmpWriter {
public:
    static constexpr uint32_t kFileHeaderSize = 14;
    static constexpr uint32_t kInfoHeaderSize = 40;

    static uint32_t RowStride(int width) { return (uint32_t(width) * 3u + 3u) & ~3u; }

    // Pixels that are not opaque are composited over `matte`.
    static std::vector<uint8_t> Encode(const Canvas& canvas, const Color& matte = Color::Rgb(0, 0, 0));
};
