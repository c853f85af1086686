// Decoding of Trackball reports, without a window.
#include <gtest/gtest.h>

#include "panels/TrackballReport.h"
#include "tests/panels/DecodeCase.h"

namespace {
using A = TrackballReportAction;

using ReportCase = DecodeCase<A>;

std::vector<ReportCase> Cases() {
    return {
        {"keys unchanged whatever their state", {}, {{0, 0xFF}, {7, 0xFF}}, {}},
        {"press changes only the key", {{0, 0x08}}, {{0, 0x08}, {7, 0x08}}, {A::Key(3, 1)}},
        {"release of a lit key asks for dark", {{0, 0x08}}, {{7, 0x08}}, {A::Key(3, 0), A::Led(3, 0)}},
        {"release of a dark key asks for lit", {{0, 0x08}}, {{7, 0x00}}, {A::Key(3, 0), A::Led(3, 1)}},
        {"only the key's own LED bit counts", {{0, 0x08}}, {{7, 0xF7}}, {A::Key(3, 0), A::Led(3, 1)}},
        {"shift and enter are bits 0 and 7",
         {{0, 0x81}},
         {{0, 0x01}, {7, 0x80}},
         {A::Key(0, 1), A::Key(7, 0), A::Led(7, 0)}},
        {"keys in order 0 to 7, then ball, then ring",
         {{0, 0xA5}, {1, 1}, {2, 1}},
         {{0, 0x21}, {1, 12}, {2, 2}, {3, 1}, {4, 4}, {5, 9}, {6, 1}, {7, 0x04}},
         {A::Key(0, 1),
          A::Key(2, 0),
          A::Led(2, 0),
          A::Key(5, 1),
          A::Key(7, 0),
          A::Led(7, 1),
          A::Ball(10, -3),
          A::Ring(8)}},
        {"ball held to plus 50", {{1, 1}}, {{1, 200}, {2, 10}}, {A::Ball(50, 0)}},
        {"ball held to minus 50", {{1, 1}}, {{1, 10}, {2, 200}}, {A::Ball(-50, 0)}},
        {"ball held each way on its own", {{1, 1}}, {{1, 0}, {2, 255}, {3, 255}, {4, 0}}, {A::Ball(-50, 50)}},
        {"ball at the limit passes", {{1, 1}}, {{1, 50}, {4, 50}}, {A::Ball(50, -50)}},
        {"ball unchanged keeps its mark", {}, {{1, 40}, {2, 3}, {3, 9}}, {}},
        {"ball reported without movement", {{1, 4}}, {{1, 7}, {2, 7}}, {A::Ball(0, 0)}},
        {"ring bytes 3 and 7 turn it by -4", {{2, 1}}, {{5, 3}, {6, 7}}, {A::Ring(-4)}},
        {"ring not clamped upwards", {{2, 1}}, {{5, 255}, {6, 0}}, {A::Ring(255)}},
        {"ring not clamped downwards", {{2, 1}}, {{5, 0}, {6, 255}}, {A::Ring(-255)}},
        {"ring unchanged stays", {}, {{5, 30}}, {}},
        {"bytes past the ring are not read", {{3, 0xFF}, {27, 0xFF}}, {{8, 0xFF}, {31, 0xFF}}, {}},
    };
}

class TrackballReportDecodeTest : public ::testing::TestWithParam<ReportCase> {};

TEST_P(TrackballReportDecodeTest, DecodesInOrder) {
    EXPECT_EQ(DecodeTrackballReport(GetParam().Changes(), GetParam().Status()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, TrackballReportDecodeTest, ::testing::ValuesIn(Cases()), DecodeCaseName<A>);
}  // namespace
