#include "tools/artgen/AviWriter.h"

#include "tools/artgen/ByteWriter.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr uint32_t kAvifHasIndex = 0x10;
constexpr uint32_t kAviifKeyFrame = 0x10;
constexpr uint32_t kBiRle8 = 1;

uint32_t Channel(double v) { return uint32_t(std::lround(std::fmin(255.0, std::fmax(0.0, v)))); }

// Starts a LIST or RIFF chunk and returns the offset of its size field.
size_t BeginList(ByteWriter& out, const char (&kind)[5], const char (&type)[5]) {
    out.FourCc(kind);
    const size_t sizeAt = out.Size();
    out.U32(0);
    out.FourCc(type);
    return sizeAt;
}

void EndList(ByteWriter& out, size_t sizeAt) { out.PatchU32(sizeAt, uint32_t(out.Size() - sizeAt - 4)); }
}  // namespace

std::vector<uint8_t> AviWriter::EncodeRle8(int width, int height, const std::vector<uint8_t>& indices) {
    std::vector<uint8_t> out;
    for (int y = height - 1; y >= 0; --y) {
        const uint8_t* row = indices.data() + size_t(y) * size_t(width);
        int x = 0;
        while (x < width) {
            int run = 1;
            while (x + run < width && run < 255 && row[x + run] == row[x]) ++run;
            out.push_back(uint8_t(run));
            out.push_back(row[x]);
            x += run;
        }
        out.push_back(0);
        out.push_back(y == 0 ? 1 : 0);  // end of bitmap after the top row
    }
    return out;
}

bool AviWriter::DecodeRle8(int width, int height, const std::vector<uint8_t>& rle, std::vector<uint8_t>& indices) {
    indices.assign(size_t(width) * size_t(height), 0);
    int x = 0;
    int y = height - 1;
    size_t i = 0;
    while (i + 1 < rle.size()) {
        const uint8_t count = rle[i];
        const uint8_t value = rle[i + 1];
        i += 2;
        if (count > 0) {
            if (y < 0 || x + count > width) return false;
            for (int k = 0; k < count; ++k) indices[size_t(y) * size_t(width) + size_t(x++)] = value;
        } else if (value == 0) {
            x = 0;
            --y;
        } else if (value == 1) {
            return true;
        } else {
            return false;  // delta and absolute runs are never written
        }
    }
    return false;
}

std::vector<uint8_t> AviWriter::Encode(const Clip& clip) {
    std::vector<std::vector<uint8_t>> frames;
    uint32_t largest = 0;
    for (const auto& f : clip.frames) {
        frames.push_back(EncodeRle8(clip.width, clip.height, f));
        largest = std::max(largest, uint32_t(frames.back().size()));
    }
    const uint32_t count = uint32_t(frames.size());
    const uint32_t paletteSize = uint32_t(clip.palette.size());
    const uint32_t bytesPerSecond =
        clip.microSecondsPerFrame ? uint32_t(uint64_t(largest) * 1000000u / clip.microSecondsPerFrame) : 0;

    ByteWriter out;
    const size_t riff = BeginList(out, "RIFF", "AVI ");
    const size_t hdrl = BeginList(out, "LIST", "hdrl");

    out.FourCc("avih");
    out.U32(56);
    out.U32(clip.microSecondsPerFrame);
    out.U32(bytesPerSecond);
    out.U32(0);  // padding granularity
    out.U32(kAvifHasIndex);
    out.U32(count);
    out.U32(0);  // initial frames
    out.U32(1);  // streams
    out.U32(largest);
    out.U32(uint32_t(clip.width));
    out.U32(uint32_t(clip.height));
    for (int i = 0; i < 4; ++i) out.U32(0);

    const size_t strl = BeginList(out, "LIST", "strl");
    out.FourCc("strh");
    out.U32(56);
    out.FourCc("vids");
    out.FourCc("RLE ");
    out.U32(0);                          // flags
    out.U16(0);                          // priority
    out.U16(0);                          // language
    out.U32(0);                          // initial frames
    out.U32(clip.microSecondsPerFrame);  // scale / rate = seconds per frame
    out.U32(1000000);
    out.U32(0);  // start
    out.U32(count);
    out.U32(largest);
    out.U32(0xFFFFFFFFu);  // default quality
    out.U32(0);            // sample size: varies
    out.U16(0);
    out.U16(0);
    out.U16(uint32_t(clip.width));
    out.U16(uint32_t(clip.height));

    out.FourCc("strf");
    out.U32(40 + 4 * paletteSize);
    out.U32(40);
    out.I32(clip.width);
    out.I32(clip.height);
    out.U16(1);
    out.U16(8);
    out.U32(kBiRle8);
    out.U32(largest);
    out.U32(0);
    out.U32(0);
    out.U32(paletteSize);
    out.U32(paletteSize);
    for (const Color& c : clip.palette) {
        out.U8(Channel(c.b));
        out.U8(Channel(c.g));
        out.U8(Channel(c.r));
        out.U8(0);
    }
    EndList(out, strl);
    EndList(out, hdrl);

    const size_t movi = BeginList(out, "LIST", "movi");
    const size_t moviStart = movi + 4;  // the 'movi' code: index offsets count from here
    std::vector<uint32_t> offsets;
    for (const auto& f : frames) {
        offsets.push_back(uint32_t(out.Size() - moviStart));
        out.FourCc("00dc");
        out.U32(uint32_t(f.size()));
        out.Bytes(f);
        if (f.size() % 2) out.U8(0);
    }
    EndList(out, movi);

    out.FourCc("idx1");
    out.U32(16 * count);
    for (size_t i = 0; i < frames.size(); ++i) {
        out.FourCc("00dc");
        out.U32(kAviifKeyFrame);
        out.U32(offsets[i]);
        out.U32(uint32_t(frames[i].size()));
    }
    EndList(out, riff);
    return out.Data();
}
