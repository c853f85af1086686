// Decoding of Media Bar reports and knob movements, without a window.
#include <gtest/gtest.h>

#include "panels/MediaBarReport.h"
#include "tests/panels/DecodeCase.h"

namespace {
using A = MediaBarReportAction;

TEST(KnobMovementTest, DifferenceOrThe255Form) {
    struct Case {
        std::uint8_t first, second;
        int movement;
    };
    const Case cases[] = {
        {5, 0, 5},      {251, 255, -5}, {0, 255, -256}, {10, 3, 7},     {7, 7, 0},
        {255, 255, -1}, {255, 0, 255},  {0, 254, -254}, {254, 255, -2}, {0, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KnobMovement(c.first, c.second), c.movement) << int(c.first) << "," << int(c.second);
}

using ReportCase = DecodeCase<A>;

std::vector<ReportCase> Cases() {
    return {
        {"nothing changed", {}, {{0, 3}, {1, 5}, {17, 3}}, {}},
        {"key A press changes only the key", {{0, 0x01}}, {{0, 0x01}, {17, 0x01}}, {A::Key(0, 1)}},
        {"key B release of a lit LED asks for dark", {{0, 0x02}}, {{17, 0x02}}, {A::Key(1, 0), A::Led(1, 0)}},
        {"key B release looks only at its own LED bit",
         {{0, 0x02}},
         {{17, 0x01}},
         {A::Key(1, 0), A::Led(1, 1)}},
        {"key A release of a dark LED asks for lit", {{0, 0x01}}, {{17, 0x02}}, {A::Key(0, 0), A::Led(0, 1)}},
        {"LED change alone only shows the lamp", {{9, 0x01}}, {{17, 0x01}}, {A::Lamp(0, 1)}},
        {"LED change alone only hides the lamp", {{9, 0x02}}, {{17, 0x01}}, {A::Lamp(1, 0)}},
        {"key states not read without key changes",
         {{9, 0x03}},
         {{0, 0x03}, {17, 0x02}},
         {A::Lamp(0, 0), A::Lamp(1, 1)}},
        {"keys, then lamps, then knobs",
         {{0, 0x03}, {9, 0x03}, {1, 1}, {8, 1}},
         {{0, 0x02}, {1, 5}, {15, 251}, {16, 255}, {17, 0x01}},
         {A::Key(0, 0),
          A::Led(0, 0),
          A::Key(1, 1),
          A::Lamp(0, 1),
          A::Lamp(1, 0),
          A::Knob(0, 5),
          A::Knob(7, -5)}},
        {"knob pairs of the four forms",
         {{1, 1}, {2, 1}, {3, 1}, {4, 1}},
         {{1, 5}, {2, 0}, {3, 251}, {4, 255}, {5, 0}, {6, 255}, {7, 10}, {8, 3}},
         {A::Knob(0, 5), A::Knob(1, -5), A::Knob(2, -256), A::Knob(3, 7)}},
        {"knob whose pair gives 0 is not turned", {{5, 1}}, {{9, 7}, {10, 7}}, {}},
        {"knob unchanged is left alone", {{2, 0}}, {{3, 9}, {4, 1}}, {}},
        {"any non-zero change byte counts", {{6, 0x80}}, {{11, 2}}, {A::Knob(5, 2)}},
        {"bytes past the LEDs are not read", {{10, 0xFF}, {27, 0xFF}}, {{18, 0xFF}, {31, 0xFF}}, {}},
        {"high key and LED bits carry nothing", {{0, 0xFC}, {9, 0xFC}}, {{0, 0xFF}, {17, 0xFF}}, {}},
    };
}

class MediaBarReportDecodeTest : public ::testing::TestWithParam<ReportCase> {};

TEST_P(MediaBarReportDecodeTest, DecodesInOrder) {
    EXPECT_EQ(DecodeMediaBarReport(GetParam().Changes(), GetParam().Status(), 8), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, MediaBarReportDecodeTest, ::testing::ValuesIn(Cases()), DecodeCaseName<A>);

TEST(MediaBarReportDecodeTest, KnobsBeyondTheWindowsListAreNotRead) {
    PanelChanges changes{};
    PanelStatus status{};
    for (int k = 0; k < 8; ++k) {
        changes.bytes[1 + k] = 1;
        status.bytes[1 + 2 * k] = static_cast<std::uint8_t>(k + 1);
    }
    EXPECT_TRUE(DecodeMediaBarReport(changes, status, 0).empty());
    EXPECT_EQ(DecodeMediaBarReport(changes, status, 2), (std::vector<A>{A::Knob(0, 1), A::Knob(1, 2)}));
}
}  // namespace
