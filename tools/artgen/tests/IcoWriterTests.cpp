#include "tools/artgen/ByteWriter.h"
#include "tools/artgen/IcoWriter.h"

#include <gtest/gtest.h>

TEST(IcoWriter, DirectoryEntriesPointAtTheirImages) {
    Canvas big(32, 32, Color::Rgb(10, 20, 30));
    Canvas small(16, 16, Color::Transparent());
    small.SetPixel(3, 0, Color::Rgb(1, 2, 3));  // one opaque pixel on the top row
    const auto d = IcoWriter::Encode({big, small});

    EXPECT_EQ(ByteWriter::ReadU16(d, 0), 0u);
    EXPECT_EQ(ByteWriter::ReadU16(d, 2), 1u);
    ASSERT_EQ(ByteWriter::ReadU16(d, 4), 2u);
    struct Want {
        int size;
        uint32_t maskStride;
    };
    const Want want[] = {{32, 4}, {16, 4}};
    uint32_t expectedOffset = 6 + 2 * 16;
    for (size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const size_t e = 6 + 16 * i;
        const int s = want[i].size;
        EXPECT_EQ(d[e], s);
        EXPECT_EQ(d[e + 1], s);
        EXPECT_EQ(ByteWriter::ReadU16(d, e + 6), 32u);
        const uint32_t bytes = ByteWriter::ReadU32(d, e + 8);
        const uint32_t offset = ByteWriter::ReadU32(d, e + 12);
        EXPECT_EQ(offset, expectedOffset);
        EXPECT_EQ(bytes, 40u + uint32_t(s * s * 4) + want[i].maskStride * uint32_t(s));
        EXPECT_EQ(ByteWriter::ReadU32(d, offset), 40u);
        EXPECT_EQ(int32_t(ByteWriter::ReadU32(d, offset + 4)), s);
        EXPECT_EQ(int32_t(ByteWriter::ReadU32(d, offset + 8)), 2 * s);  // colour + mask
        EXPECT_EQ(ByteWriter::ReadU16(d, offset + 14), 32u);
        expectedOffset += bytes;
    }
    EXPECT_EQ(d.size(), expectedOffset);
}

TEST(IcoWriter, AndMaskMarksTransparentPixels) {
    Canvas small(16, 16, Color::Transparent());
    small.SetPixel(3, 0, Color::Rgb(1, 2, 3));
    const auto d = IcoWriter::Encode({small});
    const size_t image = ByteWriter::ReadU32(d, 6 + 12);
    const size_t mask = image + 40 + 16 * 16 * 4;
    // Mask rows are bottom-up: the top row is the last one.
    const size_t topRow = mask + 15 * 4;
    EXPECT_EQ(d[topRow], 0xEF);  // all transparent except x = 3
    EXPECT_EQ(d[topRow + 1], 0xFF);
    EXPECT_EQ(d[mask], 0xFF);
    // Its colour: alpha 255 in the top row's fourth pixel.
    const size_t pixel = image + 40 + (15 * 16 + 3) * 4;
    EXPECT_EQ(d[pixel + 3], 255);
    EXPECT_EQ(d[pixel + 2], 1);
}
