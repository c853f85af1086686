#include "tools/artgen/AviWriter.h"
#include "tools/artgen/ByteWriter.h"

#include <gtest/gtest.h>

#include <string>

namespace {
std::string Code(const std::vector<uint8_t>& d, size_t at) {
    return std::string(reinterpret_cast<const char*>(d.data()) + at, 4);
}

size_t Find(const std::vector<uint8_t>& d, const std::string& code) {
    for (size_t i = 0; i + 4 <= d.size(); ++i)
        if (Code(d, i) == code) return i;
    return std::string::npos;
}
}  // namespace

TEST(AviWriter, Rle8RoundTripsRowsWithRunsLongerThanOneByteCounts) {
    struct Case {
        int width, height;
    };
    const Case cases[] = {{1, 1}, {3, 2}, {255, 1}, {256, 2}, {600, 3}, {260, 40}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        std::vector<uint8_t> in(size_t(c.width) * size_t(c.height));
        for (size_t i = 0; i < in.size(); ++i) in[i] = uint8_t((i / 7) % 3 == 0 ? 0 : i % 16);
        const auto rle = AviWriter::EncodeRle8(c.width, c.height, in);
        ASSERT_GE(rle.size(), 2u);
        EXPECT_EQ(rle[rle.size() - 2], 0);
        EXPECT_EQ(rle[rle.size() - 1], 1);  // end of bitmap
        std::vector<uint8_t> out;
        ASSERT_TRUE(AviWriter::DecodeRle8(c.width, c.height, rle, out));
        EXPECT_EQ(out, in);
    }
}

TEST(AviWriter, DecoderRejectsRowsThatOverflowOrNeverEnd) {
    std::vector<uint8_t> out;
    EXPECT_FALSE(AviWriter::DecodeRle8(2, 1, {3, 5, 0, 1}, out));
    EXPECT_FALSE(AviWriter::DecodeRle8(2, 1, {2, 5, 0, 0}, out));
}

TEST(AviWriter, HeadersIndexAndChunksAgree) {
    AviWriter::Clip clip;
    clip.width = 5;
    clip.height = 3;
    clip.palette = {Color::Rgb(255, 0, 255), Color::Rgb(0, 0, 0), Color::Rgb(10, 20, 30)};
    clip.frames = {
        std::vector<uint8_t>(15, 0), std::vector<uint8_t>(15, 2), {0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2}};
    const auto d = AviWriter::Encode(clip);

    EXPECT_EQ(Code(d, 0), "RIFF");
    EXPECT_EQ(ByteWriter::ReadU32(d, 4), d.size() - 8);
    EXPECT_EQ(Code(d, 8), "AVI ");
    const size_t avih = Find(d, "avih");
    ASSERT_NE(avih, std::string::npos);
    EXPECT_EQ(ByteWriter::ReadU32(d, avih + 8), 100000u);  // microseconds per frame
    EXPECT_EQ(ByteWriter::ReadU32(d, avih + 24), 3u);      // frames
    EXPECT_EQ(ByteWriter::ReadU32(d, avih + 32), 1u);      // one stream
    EXPECT_EQ(ByteWriter::ReadU32(d, avih + 40), 5u);
    EXPECT_EQ(ByteWriter::ReadU32(d, avih + 44), 3u);
    const size_t strh = Find(d, "strh");
    EXPECT_EQ(Code(d, strh + 8), "vids");
    const size_t strf = Find(d, "strf");
    ASSERT_NE(strf, std::string::npos);
    EXPECT_EQ(ByteWriter::ReadU32(d, strf + 4), 40u + 3 * 4);
    EXPECT_EQ(ByteWriter::ReadU16(d, strf + 8 + 14), 8u);  // bits per pixel
    EXPECT_EQ(ByteWriter::ReadU32(d, strf + 8 + 16), 1u);  // BI_RLE8
    EXPECT_EQ(ByteWriter::ReadU32(d, strf + 8 + 32), 3u);  // colours used
    EXPECT_EQ(d[strf + 8 + 40 + 8], 30);                   // third entry, blue first

    const size_t movi = Find(d, "movi");
    const size_t idx1 = Find(d, "idx1");
    ASSERT_NE(movi, std::string::npos);
    ASSERT_NE(idx1, std::string::npos);
    ASSERT_EQ(ByteWriter::ReadU32(d, idx1 + 4), 3u * 16);
    for (size_t f = 0; f < 3; ++f) {
        SCOPED_TRACE(f);
        const size_t e = idx1 + 8 + 16 * f;
        EXPECT_EQ(Code(d, e), "00dc");
        EXPECT_EQ(ByteWriter::ReadU32(d, e + 4), 0x10u);  // key frame
        const size_t chunk = movi + ByteWriter::ReadU32(d, e + 8);
        EXPECT_EQ(Code(d, chunk), "00dc");
        const uint32_t size = ByteWriter::ReadU32(d, e + 12);
        EXPECT_EQ(ByteWriter::ReadU32(d, chunk + 4), size);
        std::vector<uint8_t> pixels;
        ASSERT_TRUE(AviWriter::DecodeRle8(
            5, 3, std::vector<uint8_t>(d.begin() + long(chunk + 8), d.begin() + long(chunk + 8 + size)), pixels));
        EXPECT_EQ(pixels, clip.frames[f]);
    }
}
