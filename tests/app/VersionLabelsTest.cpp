#include <gtest/gtest.h>

#include "app/VersionLabels.h"

namespace {

PanelVersionInfo Info(std::initializer_list<std::pair<int, std::uint8_t>> bytes) {
    PanelVersionInfo info{};
    for (const auto& b : bytes) info.bytes[b.first] = b.second;
    return info;
}

TEST(VersionLabels, Firmware) {
    struct Case {
        std::uint8_t b8, b9, b10, b11;
        const wchar_t* text;
    };
    const Case cases[] = {
        {5, 3, 1, 2, L"Ver 2 Build 135"},   {0x0F, 0x0F, 0x0F, 0, L"Ver 0 Build fff"},
        {0x10, 1, 0, 0, L"Ver 0 Build 20"},  // a "digit" above 15 carries
        {0, 0, 0, 0, L"Ver 0 Build 0"},     {0xFF, 0xFF, 0xFF, 0xFF, L"Ver 255 Build 10fef"},
    };
    for (const auto& c : cases) {
        const auto info = Info({{8, c.b8}, {9, c.b9}, {10, c.b10}, {11, c.b11}});
        EXPECT_EQ(c.text, FormatFirmwareVersion(info));
    }
}

TEST(VersionLabels, Driver) {
    struct Case {
        std::uint8_t b4, b5, b6, b7;
        const wchar_t* text;
    };
    const Case cases[] = {
        {7, 0x34, 0x12, 1, L"Ver 1.4660 Build 7"},
        {0, 0, 0, 0, L"Ver 0.0 Build 0"},
        {255, 0xFF, 0xFF, 255, L"Ver 255.65535 Build 255"},  // bytes are unsigned
    };
    for (const auto& c : cases) {
        const auto info = Info({{4, c.b4}, {5, c.b5}, {6, c.b6}, {7, c.b7}});
        EXPECT_EQ(c.text, FormatDriverVersion(info));
    }
}

TEST(VersionLabels, OtherBytesAreNotShown) {
    PanelVersionInfo info{};
    for (auto& b : info.bytes) b = 0x77;
    for (int i = 4; i < 12; ++i) info.bytes[i] = 0;
    EXPECT_EQ(L"Ver 0 Build 0", FormatFirmwareVersion(info));
    EXPECT_EQ(L"Ver 0.0 Build 0", FormatDriverVersion(info));
}

}  // namespace
