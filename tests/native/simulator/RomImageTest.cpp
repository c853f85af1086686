// The image checker on good and malformed images.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

#include "simulator/model/DownloadResult.h"
#include "simulator/model/RomImage.h"

namespace {

std::vector<std::uint8_t> Good(int panel = 1, std::uint32_t size = 1000) {
    RomHeader h;
    h.targetPanel = panel;
    h.firmwareMajor = 2;
    h.firmwareBuild = 0x21B;
    return RomImage::Build(h, RomImage::SamplePayload(size, 3));
}

TEST(RomImage, Crc32OfKnownText) {
    const char* text = "123456789";
    EXPECT_EQ(RomImage::Crc32(reinterpret_cast<const std::uint8_t*>(text), 9), 0xCBF43926u);
}

TEST(RomImage, GoodImageForItsPanel) {
    const RomCheck c = RomImage::Check(Good(), 1);
    EXPECT_EQ(c.result, download::kOk);
    ASSERT_TRUE(c.headerValid);
    EXPECT_EQ(c.header.firmwareMajor, 2);
    EXPECT_EQ(c.header.firmwareBuild, 0x21B);
    EXPECT_EQ(c.header.payloadLength, 1000u);
}

struct Malformed {
    const char* what;
    std::function<void(std::vector<std::uint8_t>&)> spoil;
    std::int32_t expected;
};

class RomImageMalformed : public ::testing::TestWithParam<Malformed> {};

TEST_P(RomImageMalformed, GetsItsOwnResult) {
    std::vector<std::uint8_t> image = Good();
    GetParam().spoil(image);
    EXPECT_EQ(RomImage::Check(image, 1).result, GetParam().expected) << GetParam().what;
}

void FixHeaderCrc(std::vector<std::uint8_t>& v) {
    const std::uint32_t crc = RomImage::Crc32(v.data(), 20);
    for (int i = 0; i < 4; ++i) v[20 + i] = std::uint8_t(crc >> (8 * i));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RomImageMalformed,
    ::testing::Values(Malformed{"empty", [](auto& v) { v.clear(); }, download::kBadHeader},
                      Malformed{"three bytes of magic", [](auto& v) { v.resize(3); }, download::kTruncated},
                      Malformed{"half a header", [](auto& v) { v.resize(16); }, download::kTruncated},
                      Malformed{"short junk", [](auto& v) { v.assign(10, 'x'); }, download::kBadHeader},
                      Malformed{"bad magic", [](auto& v) { v[0] = 'X'; }, download::kBadHeader},
                      Malformed{"header bit flipped", [](auto& v) { v[7] ^= 1; }, download::kBadHeader},
                      Malformed{"format 2",
                                [](auto& v) {
                                    v[4] = 2;
                                    FixHeaderCrc(v);
                                },
                                download::kBadHeader},
                      Malformed{"reserved byte set", [](auto& v) { v[30] = 1; }, download::kBadHeader},
                      Malformed{"payload length 0",
                                [](auto& v) {
                                    v[12] = v[13] = v[14] = v[15] = 0;
                                    FixHeaderCrc(v);
                                },
                                download::kBadHeader},
                      Malformed{"payload length huge",
                                [](auto& v) {
                                    v[15] = 0x80;
                                    FixHeaderCrc(v);
                                },
                                download::kBadHeader},
                      Malformed{"build above fff",
                                [](auto& v) {
                                    v[9] = 0x10;
                                    FixHeaderCrc(v);
                                },
                                download::kBadHeader},
                      Malformed{"payload cut", [](auto& v) { v.resize(v.size() - 1); }, download::kTruncated},
                      Malformed{"header only", [](auto& v) { v.resize(RomImage::kHeaderSize); }, download::kTruncated},
                      Malformed{"extra byte", [](auto& v) { v.push_back(0); }, download::kTrailingData},
                      Malformed{"payload byte flipped", [](auto& v) { v[RomImage::kHeaderSize + 500] ^= 0x40; },
                                download::kCorrupt},
                      Malformed{"other panel",
                                [](auto& v) {
                                    v[6] = 2;
                                    FixHeaderCrc(v);
                                },
                                download::kWrongPanel},
                      Malformed{"no such panel",
                                [](auto& v) {
                                    v[6] = 200;
                                    FixHeaderCrc(v);
                                },
                                download::kWrongPanel}));

TEST(RomImage, CorruptionIsFoundBeforeTheTarget) {
    // A damaged image says so on any panel, not "wrong panel".
    std::vector<std::uint8_t> v = Good(0);
    v.back() ^= 1;
    for (int p = 0; p < 4; ++p) EXPECT_EQ(RomImage::Check(v, p).result, download::kCorrupt);
}

TEST(RomImage, TruncatedReportsHowMuchPayloadIsThere) {
    std::vector<std::uint8_t> v = Good(1, 1000);
    v.resize(RomImage::kHeaderSize + 400);
    const RomCheck c = RomImage::Check(v, 1);
    EXPECT_EQ(c.result, download::kTruncated);
    EXPECT_EQ(c.payloadPresent, 400u);
}

TEST(RomImage, ResultNamesAreDistinct) {
    std::set<std::string> names;
    for (int code = download::kOk; code <= download::kUnplugged; ++code) names.insert(download::ResultName(code));
    EXPECT_EQ(names.size(), std::size_t(download::kUnplugged + 1));
}

}  // namespace
