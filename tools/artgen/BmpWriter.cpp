#include "tools/artgen/BmpWriter.h"

#include "tools/artgen/ByteWriter.h"

#include <cmath>

namespace {
uint32_t Channel(double v) { return uint32_t(std::lround(std::fmin(255.0, std::fmax(0.0, v)))); }
}  // namespace

std::vector<uint8_t> BmpWriter::Encode(const Canvas& canvas, const Color& matte) {
    const int w = canvas.Width();
    const int h = canvas.Height();
    const uint32_t stride = RowStride(w);
    const uint32_t imageSize = stride * uint32_t(h);
    const uint32_t offset = kFileHeaderSize + kInfoHeaderSize;

    ByteWriter out;
    out.U8('B');
    out.U8('M');
    out.U32(offset + imageSize);
    out.U16(0);
    out.U16(0);
    out.U32(offset);

    out.U32(kInfoHeaderSize);
    out.I32(w);
    out.I32(h);  // positive: bottom-up
    out.U16(1);
    out.U16(24);
    out.U32(0);  // BI_RGB
    out.U32(imageSize);
    out.I32(2835);  // 72 dpi
    out.I32(2835);
    out.U32(0);
    out.U32(0);

    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            const Color p = canvas.Pixel(x, y);
            const double a = p.a;
            out.U8(Channel(p.b * a + matte.b * (1 - a)));
            out.U8(Channel(p.g * a + matte.g * (1 - a)));
            out.U8(Channel(p.r * a + matte.r * (1 - a)));
        }
        for (uint32_t pad = uint32_t(w) * 3u; pad < stride; ++pad) out.U8(0);
    }
    return out.Data();
}
