#include "tools/artgen/IcoWriter.h"

#include "tools/artgen/ByteWriter.h"

#include <cmath>

namespace {

uint32_t Channel(double v) { return uint32_t(std::lround(std::fmin(255.0, std::fmax(0.0, v)))); }

uint32_t MaskStride(int width) { return ((uint32_t(width) + 31u) / 32u) * 4u; }

std::vector<uint8_t> ImageData(const Canvas& c) {
    const int w = c.Width();
    const int h = c.Height();
    ByteWriter out;
    out.U32(40);
    out.I32(w);
    out.I32(h * 2);  // colour rows plus mask rows
    out.U16(1);
    out.U16(32);
    out.U32(0);
    out.U32(uint32_t(w * h * 4) + MaskStride(w) * uint32_t(h));
    out.U32(0);
    out.U32(0);
    out.U32(0);
    out.U32(0);
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x) {
            const Color p = c.Pixel(x, y);
            const bool clear = p.a < 0.5 / 255.0;
            out.U8(clear ? 0 : Channel(p.b));
            out.U8(clear ? 0 : Channel(p.g));
            out.U8(clear ? 0 : Channel(p.r));
            out.U8(Channel(p.a * 255.0));
        }
    for (int y = h - 1; y >= 0; --y) {
        std::vector<uint8_t> row(MaskStride(w), 0);
        for (int x = 0; x < w; ++x)
            if (c.Pixel(x, y).a < 0.5) row[size_t(x / 8)] |= uint8_t(0x80u >> (x % 8));
        out.Bytes(row);
    }
    return out.Data();
}

}  // namespace

std::vector<uint8_t> IcoWriter::Encode(const std::vector<Canvas>& images) {
    std::vector<std::vector<uint8_t>> data;
    for (const Canvas& c : images) data.push_back(ImageData(c));

    ByteWriter out;
    out.U16(0);
    out.U16(1);  // icon
    out.U16(uint32_t(images.size()));
    uint32_t offset = 6 + 16 * uint32_t(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        out.U8(uint32_t(images[i].Width()) & 0xFFu);
        out.U8(uint32_t(images[i].Height()) & 0xFFu);
        out.U8(0);  // no palette
        out.U8(0);
        out.U16(1);
        out.U16(32);
        out.U32(uint32_t(data[i].size()));
        out.U32(offset);
        offset += uint32_t(data[i].size());
    }
    for (const auto& d : data) out.Bytes(d);
    return out.Data();
}
