// Dial arithmetic: radii, angles, mark end points, ball circle and the count
// handling of every mode. Built natively under the sanitizers and for Windows.
#include <gtest/gtest.h>

#include <limits>

#include "widgets/DialGeometry.h"

namespace {

using dial::Draw;
using dial::Mark;
using dial::Mode;
using dial::Point;

constexpr Point kJogOuter{0, 46};
constexpr Point kJogInner{0, 30};

struct RadiiCase {
    Mode mode;
    int height;
    int outer;
    int inner;
};

TEST(DialGeometry, RadiiByModeAndHeight) {
    const RadiiCase cases[] = {
        {Mode::kKnob, 41, 11, 1},    // Media Bar knob
        {Mode::kRing, 193, 90, 65},  // Trackball ring
        {Mode::kOff, 139, 46, 30},   // jog dial, every jog mode alike
        {Mode::kJog, 139, 46, 30},  {Mode::kShuttle, 139, 46, 30},
        {Mode::kDmc, 139, 46, 30},  {Mode::kOff, 140, 46, 30},  // 140 / 3 truncates
        {Mode::kRing, 12, 0, -25},  {Mode::kNone, 139, 0, 0},   // no mark
    };
    for (const RadiiCase& c : cases) {
        const dial::Radii r = dial::RadiiFor(c.mode, c.height);
        EXPECT_EQ(r.outer, c.outer) << "mode " << static_cast<int>(c.mode) << " height " << c.height;
        EXPECT_EQ(r.inner, c.inner) << "mode " << static_cast<int>(c.mode) << " height " << c.height;
    }
}

TEST(DialGeometry, AngleOfCountTruncatesTowardZero) {
    EXPECT_EQ(dial::AngleOfCount(-7, 288), -8);  // -8.75
    EXPECT_EQ(dial::AngleOfCount(7, 288), 8);
    EXPECT_EQ(dial::AngleOfCount(201, 200), 361);  // 361.8
    EXPECT_EQ(dial::AngleOfCount(-201, 200), -361);
    EXPECT_EQ(dial::AngleOfCount(288, 288), 360);
    EXPECT_EQ(dial::AngleOfCount(1, 288), 1);  // 1.25
    EXPECT_EQ(dial::AngleOfCount(5, 0), 0);
    // Beyond int: no overflow in the product.
    EXPECT_EQ(dial::AngleOfCount(std::numeric_limits<int>::max(), 200), 3865470564LL);
}

struct MarkCase {
    long long degrees;
    Mark expected;
};

TEST(DialGeometry, JogDialMarkEndPoints) {
    const MarkCase cases[] = {
        {0, {{0, 46}, {0, 30}}},  // at rest, straight up
        {90, {{46, 0}, {30, 0}}},
        {45, {{32, 32}, {21, 21}}},
        {-90, {{-46, 0}, {-30, 0}}},
        {180, {{0, -46}, {0, -30}}},
        {360, {{0, 46}, {0, 30}}},
        {-360, {{0, 46}, {0, 30}}},
        {-8, {{-6, 45}, {-4, 29}}},   // SHUTTLE -7
        {750, {{22, 39}, {14, 25}}},  // JOG 0 + 600
        {361, {{0, 45}, {0, 29}}},
        // Here the shortened pi constant decides the pixel: a full-precision
        // pi gives (22, -39) for the outer end.
        {150, {{23, -39}, {15, -25}}},
        {-150, {{-23, -39}, {-15, -25}}},
    };
    for (const MarkCase& c : cases) {
        const Mark m = dial::MarkAt(kJogOuter, kJogInner, c.degrees);
        EXPECT_EQ(m.outer.x, c.expected.outer.x) << c.degrees << " degrees";
        EXPECT_EQ(m.outer.y, c.expected.outer.y) << c.degrees << " degrees";
        EXPECT_EQ(m.inner.x, c.expected.inner.x) << c.degrees << " degrees";
        EXPECT_EQ(m.inner.y, c.expected.inner.y) << c.degrees << " degrees";
    }
}

TEST(DialGeometry, RotatePointUsesBothCoordinates) {
    // A point off the axis turns clockwise with y up.
    EXPECT_EQ(dial::RotatePoint({10, 0}, 90), (Point{0, -10}));
    EXPECT_EQ(dial::RotatePoint({10, 0}, -90), (Point{0, 10}));
    EXPECT_EQ(dial::RotatePoint({10, 10}, 0), (Point{10, 10}));
    EXPECT_EQ(dial::Radians(0), 0.0);
    EXPECT_DOUBLE_EQ(dial::Radians(180), 3.1415926535);
}

struct BallCase {
    int x, y;
    Point centre;
};

TEST(DialGeometry, BallCentre) {
    const BallCase cases[] = {
        {10, 5, {8, 6}},
        {-50, 20, {-45, 21}},
        {7, -6, {3, -6}},
        {3, -40, {0, -40}},
        {50, 50, {0, 50}},
        {0, 0, {0, 0}},
        {10, 0, {10, 0}},
        {-10, 0, {-10, 0}},
        {0, -50, {0, -50}},
        {-7, -6, {-3, -6}},
        {-50, -50, {0, -50}},
        // Out of the owners' -50..50 range: no overflow in the squares.
        {std::numeric_limits<int>::max(), 0, {std::numeric_limits<int>::max(), 0}},
        {0, std::numeric_limits<int>::min() + 1, {0, std::numeric_limits<int>::min() + 1}},
    };
    for (const BallCase& c : cases) {
        const Point p = dial::BallCentre(c.x, c.y);
        EXPECT_EQ(p.x, c.centre.x) << "(" << c.x << ", " << c.y << ")";
        EXPECT_EQ(p.y, c.centre.y) << "(" << c.x << ", " << c.y << ")";
    }
}

struct StepCase {
    const char* what;
    Mode mode;
    int count;
    int nCount;
    Draw draw;
    long long angle;
    int countAfter;
};

TEST(DialGeometry, RotateStepByMode) {
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    const StepCase cases[] = {
        {"JOG 287 + 1 wraps to 0 at 360", Mode::kJog, 287, 1, Draw::kMark, 360, 0},
        {"JOG 0 - 288 wraps to 0 at -360", Mode::kJog, 0, -288, Draw::kMark, -360, 0},
        {"JOG 0 + 600 wraps once", Mode::kJog, 0, 600, Draw::kMark, 750, 312},
        {"JOG 0 - 600 wraps once", Mode::kJog, 0, -600, Draw::kMark, -750, -312},
        {"JOG below a turn keeps", Mode::kJog, 100, 187, Draw::kMark, 358, 287},
        {"JOG -7", Mode::kJog, 0, -7, Draw::kMark, -8, -7},
        {"JOG saturates", Mode::kJog, kMax, kMax, Draw::kMark, 5368709117LL, kMax},
        {"knob 200 + 1 resets after the angle", Mode::kKnob, 200, 1, Draw::kMark, 361, 0},
        {"knob -200 - 1 resets", Mode::kKnob, -200, -1, Draw::kMark, -361, 0},
        {"knob stays at 200", Mode::kKnob, 199, 1, Draw::kMark, 360, 200},
        {"knob stays at -200", Mode::kKnob, -150, -50, Draw::kMark, -360, -200},
        {"knob far out", Mode::kKnob, kMax, 1, Draw::kMark, 3865470566LL, 0},
        {"ring as knob plus ball", Mode::kRing, 200, 1, Draw::kMarkAndBall, 361, 0},
        {"ring 0", Mode::kRing, 0, 0, Draw::kMarkAndBall, 0, 0},
        {"SHUTTLE -7 is a position", Mode::kShuttle, 55, -7, Draw::kMark, -8, -7},
        {"DMC 288", Mode::kDmc, 0, 288, Draw::kMark, 360, 288},
        {"DMC int min", Mode::kDmc, 0, kMin, Draw::kMark, -2684354560LL, kMin},
        {"OFF ignores the argument", Mode::kOff, 42, 123, Draw::kRestMark, 0, 42},
        {"kNone draws nothing", Mode::kNone, 42, 5, Draw::kNothing, 0, 42},
    };
    for (const StepCase& c : cases) {
        const dial::Step s = dial::RotateStep(c.mode, c.count, c.nCount);
        EXPECT_EQ(s.draw, c.draw) << c.what;
        EXPECT_EQ(s.angle, c.angle) << c.what;
        EXPECT_EQ(s.count, c.countAfter) << c.what;
    }
}

}  // namespace
