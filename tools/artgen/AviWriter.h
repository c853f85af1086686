#pragma once

#include "tools/artgen/Color.h"

#include <cstdint>
#include <vector>

// An AVI file the common animation control can play: one video stream of
// RLE8-compressed palettised frames, every frame a key frame, no audio,
// with the idx1 index the control reads its frames through.
class AviWriter {
public:
    struct Clip {
        int width = 0;
        int height = 0;
        uint32_t microSecondsPerFrame = 100000;
        std::vector<Color> palette;                // at most 256 entries
        std::vector<std::vector<uint8_t>> frames;  // width * height indices, top row first
    };

    // One frame as an RLE8 bitmap: bottom-up rows of (count, index) runs,
    // each row closed by end-of-line, the last by end-of-bitmap.
    static std::vector<uint8_t> EncodeRle8(int width, int height, const std::vector<uint8_t>& indices);
    // The inverse, for checking: returns false on malformed input.
    static bool DecodeRle8(int width, int height, const std::vector<uint8_t>& rle, std::vector<uint8_t>& indices);

    static std::vector<uint8_t> Encode(const Clip& clip);
};
