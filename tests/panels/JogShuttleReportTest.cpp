// Decoding of Jog & Shuttle reports and the dial-mode blocks, without a window.
#include <gtest/gtest.h>

#include "panels/JogShuttleLayout.h"
#include "panels/JogShuttleReport.h"
#include "tests/panels/DecodeCase.h"

namespace {
using A = JogReportAction;

int KeyIndex(UINT id) {
    for (int k = 0; k < kJogKeyCount; ++k)
        if (kJogKeys[k].id == id) return k;
    return -1;
}

using ReportCase = DecodeCase<A>;

std::vector<ReportCase> Cases() {
    const int a = KeyIndex(Dev_A_Button), d = KeyIndex(Dev_D_Button), f1 = KeyIndex(IDC_F1_BTN);
    const int play = KeyIndex(Dev_PlayButton), stop = KeyIndex(Dev_StopButton), shift = KeyIndex(SHIFT_BTN);
    const int e = KeyIndex(dev_E_Button), g = KeyIndex(Dev_G_Button), enter = KeyIndex(ENTER_BTN);
    return {
        {"nothing changed", {}, {{0, 3}, {1, 5}, {3, 0xFF}, {4, 0xFF}, {5, 0x0F}}, {}},
        {"dial value minus one", {{1, 1}}, {{1, 0xFF}, {2, 0xFF}}, {{A::RotateDial, -1, -1}}},
        {"dial value one turn", {{1, 9}}, {{1, 0x20}, {2, 0x01}}, {{A::RotateDial, 288, -1}}},
        {"dial value most negative", {{1, 1}}, {{1, 0x00}, {2, 0x80}}, {{A::RotateDial, -32768, -1}}},
        {"key A pressed sends OFF", {{3, 0x10}}, {{4, 0x10}}, {{A::SetKey, 1, a}, {A::DialCommand, 0, a}}},
        {"key A released sends nothing", {{3, 0x10}}, {{4, 0x00}}, {{A::SetKey, 0, a}}},
        {"key D pressed sends DMC", {{3, 0x80}}, {{4, 0x80}}, {{A::SetKey, 1, d}, {A::DialCommand, 3, d}}},
        {"group 1 unchanged whatever its state", {}, {{3, 0xFF}}, {}},
        {"group 3 high bits carry no key", {{4, 0xF0}}, {{5, 0xFF}}, {}},
        {"group 3 keys",
         {{4, 0x0F}},
         {{5, 0x05}},
         {{A::SetKey, 1, e}, {A::SetKey, 0, KeyIndex(Dev_F_Button)}, {A::SetKey, 1, g}, {A::SetKey, 0, enter}}},
        {"key state read one byte later than its change",
         {{2, 0x81}, {3, 0x09}},
         {{2, 0x00}, {3, 0x01}, {4, 0x08}},
         {{A::SetKey, 1, f1}, {A::SetKey, 0, play}, {A::SetKey, 0, stop}, {A::SetKey, 1, shift}}},
        {"mode 2", {{0, 1}}, {{0, 2}}, {{A::ShowDialMode, 2, -1}}},
        {"mode 7 passed on for the window to reject", {{0, 1}}, {{0, 7}}, {{A::ShowDialMode, 7, -1}}},
        {"mode before rotation before keys",
         {{0, 1}, {1, 1}, {3, 0x20}},
         {{0, 1}, {1, 5}, {4, 0x20}},
         {{A::ShowDialMode, 1, -1},
          {A::RotateDial, 5, -1},
          {A::SetKey, 1, KeyIndex(Dev_B_Button)},
          {A::DialCommand, 1, KeyIndex(Dev_B_Button)}}},
        {"bytes past the keys are not read", {{5, 0xFF}, {27, 0xFF}}, {{6, 0xFF}, {31, 0xFF}}, {}},
    };
}

class JogReportDecodeTest : public ::testing::TestWithParam<ReportCase> {};

TEST_P(JogReportDecodeTest, DecodesInOrder) {
    EXPECT_EQ(DecodeJogShuttleReport(GetParam().Changes(), GetParam().Status()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, JogReportDecodeTest, ::testing::ValuesIn(Cases()), DecodeCaseName<A>);

TEST(JogDialModeBlockTest, FourBlocksAndNothingElse) {
    const std::uint8_t expected[4][4] = {{0, 0, 0, 0}, {0, 0x10, 0x10, 1}, {0, 0, 0x20, 2}, {0, 0, 0x40, 3}};
    for (int m = 0; m < 4; ++m) {
        const auto block = JogDialModeBlock(m);
        ASSERT_EQ(block.size(), 60u);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(block[i], expected[m][i]) << "mode " << m << " byte " << i;
        for (size_t i = 4; i < block.size(); ++i) EXPECT_EQ(block[i], 0) << "mode " << m << " byte " << i;
    }
}

TEST(JogKeyTableTest, EveryReportBitHasOneKeyAndTheListsAreInOrder) {
    // Groups 1 and 2 carry eight keys, group 3 four.
    for (int g = 1; g <= 3; ++g)
        for (int bit = 0; bit < 8; ++bit) EXPECT_EQ(JogKeyAt(g, bit) >= 0, g < 3 || bit < 4) << g << "," << bit;
    const UINT roundList[] = {Dev_A_Button, Dev_B_Button, Dev_C_Button, Dev_D_Button, dev_E_Button,
                              Dev_F_Button, Dev_G_Button, SHIFT_BTN,    ENTER_BTN};
    for (int i = 0; i < kJogRoundKeyCount; ++i)
        EXPECT_EQ(kJogKeys[kJogFunctionKeyCount + kJogTransportKeyCount + i].id, roundList[i]);
    // Of the round keys, G is the one whose pressed bitmap has the lower number.
    for (const auto& key : kJogKeys) {
        if (key.outline == KeyOutline::Ellipse) {
            EXPECT_EQ(key.pressedBitmap < key.normalBitmap, key.id == Dev_G_Button) << key.id;
        }
    }
}
}  // namespace
