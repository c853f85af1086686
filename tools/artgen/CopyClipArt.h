#pragma once

#include "tools/artgen/AviWriter.h"
#include "tools/artgen/Canvas.h"

#include <cstdint>
#include <vector>

// Animation 192 of the Copying window: a sheet of paper flying from a
// yellow folder on the left into one on the right, 17 frames of 260 x 40 at
// 100 ms in 16 colours, on magenta that the transparent animation control
// replaces with the dialog background (it keys on the top-left pixel).
class CopyClipArt {
public:
    static constexpr int kWidth = 260;
    static constexpr int kHeight = 40;
    static constexpr int kFrames = 17;

    static const std::vector<Color>& Palette();
    static Canvas Frame(int index);
    // Nearest palette entry of each pixel, top row first.
    static std::vector<uint8_t> Indices(const Canvas& frame);
    static AviWriter::Clip Clip();
};
