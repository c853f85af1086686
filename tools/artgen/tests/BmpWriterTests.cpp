#include "tools/artgen/BmpWriter.h"
#include "tools/artgen/ByteWriter.h"

#include <gtest/gtest.h>

namespace {
uint32_t U32(const std::vector<uint8_t>& d, size_t at) { return ByteWriter::ReadU32(d, at); }
uint16_t U16(const std::vector<uint8_t>& d, size_t at) { return ByteWriter::ReadU16(d, at); }
}  // namespace

TEST(BmpWriter, HeaderFieldsAndPaddedRowsForEveryWidthModuloFour) {
    struct Case {
        int width, height;
        uint32_t stride;
    };
    const Case cases[] = {{1, 1, 4},  {2, 3, 8},     {3, 2, 12},      {4, 1, 12},
                          {5, 2, 16}, {35, 35, 108}, {279, 348, 840}, {547, 78, 1644}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        const auto d = BmpWriter::Encode(Canvas(c.width, c.height, Color::Rgb(1, 2, 3)));
        ASSERT_EQ(d.size(), 54u + c.stride * uint32_t(c.height));
        EXPECT_EQ(d[0], 'B');
        EXPECT_EQ(d[1], 'M');
        EXPECT_EQ(U32(d, 2), d.size());
        EXPECT_EQ(U32(d, 10), 54u);
        EXPECT_EQ(U32(d, 14), 40u);
        EXPECT_EQ(int32_t(U32(d, 18)), c.width);
        EXPECT_EQ(int32_t(U32(d, 22)), c.height);  // positive: bottom-up
        EXPECT_EQ(U16(d, 26), 1u);
        EXPECT_EQ(U16(d, 28), 24u);
        EXPECT_EQ(U32(d, 30), 0u);  // BI_RGB
        EXPECT_EQ(U32(d, 34), c.stride * uint32_t(c.height));
        EXPECT_EQ(BmpWriter::RowStride(c.width), c.stride);
        // Padding bytes of the first row are zero.
        for (uint32_t i = uint32_t(c.width) * 3; i < c.stride; ++i) EXPECT_EQ(d[54 + i], 0);
    }
}

TEST(BmpWriter, RowsBottomUpInBlueGreenRedOrder) {
    Canvas c(2, 2, Color::Rgb(0, 0, 0));
    c.SetPixel(0, 0, Color::Rgb(200, 100, 50));  // top-left
    c.SetPixel(1, 1, Color::Rgb(10, 20, 30));    // bottom-right
    const auto d = BmpWriter::Encode(c);
    const size_t stride = 8;
    // First stored row is the bottom one.
    EXPECT_EQ(d[54 + 3], 30);
    EXPECT_EQ(d[54 + 4], 20);
    EXPECT_EQ(d[54 + 5], 10);
    EXPECT_EQ(d[54 + stride + 0], 50);
    EXPECT_EQ(d[54 + stride + 1], 100);
    EXPECT_EQ(d[54 + stride + 2], 200);
}

TEST(BmpWriter, TranslucentPixelsAreCompositedOverTheMatte) {
    Canvas c(1, 1, Color::Rgb(255, 255, 255).WithAlpha(0.5));
    const auto d = BmpWriter::Encode(c, Color::Rgb(0, 0, 0));
    EXPECT_EQ(d[54], 128);
}
