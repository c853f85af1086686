// Fader arithmetic: value and offset with their double-precision truncations,
// thumb placement, centring and dragging with the clamps at both ends, and the
// value-text origin. Built natively under the sanitizers and for Windows.
#include <gtest/gtest.h>

#include <limits>

#include "widgets/FaderGeometry.h"

namespace {

using fader::Point;
using fader::Rect;

constexpr int kMax = std::numeric_limits<int>::max();
constexpr int kMin = std::numeric_limits<int>::min();

// The Audio window's faders: track (3, 5, 27, 267), thumb 24 x 55, span 207.
constexpr Rect kTrack{3, 5, 27, 267};
constexpr Rect kTopThumb{3, 5, 27, 60};

TEST(FaderGeometry, AudioFaderMeasures) {
    EXPECT_EQ(fader::Span(false, kTrack, kTopThumb), 207);
    EXPECT_EQ(fader::Offset(false, kTrack, kTopThumb), 207);
    EXPECT_EQ(fader::Offset(false, kTrack, Rect{3, 212, 27, 267}), 0);
    // The same rectangles read as a horizontal fader.
    EXPECT_EQ(fader::Span(true, kTrack, kTopThumb), 0);
    EXPECT_EQ(fader::Offset(true, Rect{10, 0, 110, 20}, Rect{35, 0, 55, 20}), 25);
}

TEST(FaderGeometry, ContainsIncludesLeftTopOnly) {
    const Rect r{3, 5, 27, 267};
    const struct {
        Point p;
        bool inside;
    } cases[] = {
        {{3, 5}, true}, {{26, 266}, true}, {{27, 100}, false}, {{10, 267}, false}, {{2, 100}, false}, {{10, 4}, false},
    };
    for (const auto& c : cases) EXPECT_EQ(fader::Contains(r, c.p), c.inside) << c.p.x << "," << c.p.y;
}

struct ValueCase {
    const char* what;
    int minimum, maximum, span, offset, current;
    int value;
};

TEST(FaderGeometry, ValueFromOffset) {
    const ValueCase cases[] = {
        {"audio offset 103", 0, 255, 207, 103, 0, 127},
        {"audio offset 104", 0, 255, 207, 104, 0, 128},
        {"audio offset 207", 0, 255, 207, 207, 0, 255},
        {"audio offset 0", 0, 255, 207, 0, 99, 0},
        {"audio offset 1 rounds down", 0, 255, 207, 1, 0, 1},
        {"negative minimum", -100, 100, 200, 50, 0, -50},
        // Division before multiplication: 3 / 94 * 47 lands just below 1.5, the
        // exact 3 * 47 / 94 would give 2.
        {"quotient first", 0, 3, 94, 47, 0, 1},
        {"full int range, top", kMin, kMax, 207, 207, 0, kMax},
        {"full int range, bottom", kMin, kMax, 207, 0, 0, kMin},
        {"single-value range", 7, 7, 207, 100, 0, 7},
        // No travel: the position says nothing, the value stays within the range.
        {"span 0 keeps the value", 0, 255, 0, 0, 77, 77},
        {"span 0 clamps above", 0, 255, 0, 0, 300, 255},
        {"span 0 clamps below", 10, 255, 0, 0, 0, 10},
        {"thumb longer than the track", 0, 255, -25, -25, 40, 40},
    };
    for (const ValueCase& c : cases)
        EXPECT_EQ(fader::ValueAt(c.minimum, c.maximum, c.span, c.offset, c.current), c.value) << c.what;
}

struct OffsetCase {
    const char* what;
    int minimum, maximum, span, value;
    int offset;
};

TEST(FaderGeometry, OffsetFromValue) {
    const OffsetCase cases[] = {
        {"audio 128", 0, 255, 207, 128, 103},
        {"audio 1", 0, 255, 207, 1, 0},
        {"audio 200", 0, 255, 207, 200, 162},
        {"audio 255", 0, 255, 207, 255, 207},
        {"audio 0", 0, 255, 207, 0, 0},
        // Division first: 7 / 10 is a shade under 0.7, the exact 90 * 7 / 10 is 63.
        {"quotient first", 0, 10, 90, 7, 62},
        {"full int range", kMin, kMax, 207, kMax, 207},
        {"span 0", 0, 255, 0, 200, 0},
        {"negative span", 0, 255, -25, 200, 0},
        {"single-value range", 5, 5, 207, 5, 0},
    };
    for (const OffsetCase& c : cases)
        EXPECT_EQ(fader::OffsetOf(c.minimum, c.maximum, c.span, c.value), c.offset) << c.what;
}

struct PlaceCase {
    const char* what;
    bool horizontal;
    Rect track, thumb;
    int offset;
    Rect placed;
};

TEST(FaderGeometry, PlaceThumbAtOffset) {
    const PlaceCase cases[] = {
        {"vertical maximum: top at the track top", false, kTrack, kTopThumb, 207, {3, 5, 27, 60}},
        {"vertical minimum: bottom at the track bottom", false, kTrack, kTopThumb, 0, {3, 212, 27, 267}},
        {"vertical 162", false, kTrack, kTopThumb, 162, {3, 50, 27, 105}},
        {"horizontal 25", true, {10, 2, 110, 22}, {10, 2, 30, 22}, 25, {35, 2, 55, 22}},
    };
    for (const PlaceCase& c : cases)
        EXPECT_EQ(fader::PlaceThumb(c.horizontal, c.track, c.thumb, c.offset), c.placed) << c.what;
}

struct CentreCase {
    const char* what;
    bool horizontal;
    Rect track, thumb;
    Point p;
    Rect centred;
};

TEST(FaderGeometry, CentreThumbOnPoint) {
    const Rect thumb{3, 212, 27, 267};
    const Rect hTrack{10, 2, 110, 22};
    const Rect hThumb{10, 2, 31, 22};  // 21 wide: half 10
    const CentreCase cases[] = {
        {"middle: top at y - 27", false, kTrack, thumb, {10, 150}, {3, 123, 27, 178}},
        {"near the top clamps to the top", false, kTrack, thumb, {10, 20}, {3, 5, 27, 60}},
        {"near the bottom clamps to the bottom", false, kTrack, thumb, {10, 260}, {3, 212, 27, 267}},
        {"horizontal middle", true, hTrack, hThumb, {60, 5}, {50, 2, 71, 22}},
        {"horizontal left end", true, hTrack, hThumb, {12, 5}, {10, 2, 31, 22}},
        {"horizontal right end", true, hTrack, hThumb, {105, 5}, {89, 2, 110, 22}},
        // Longer than the track: the bottom clamp comes last and wins.
        {"thumb longer than the track", false, {0, 10, 20, 40}, {0, 0, 20, 50}, {5, 20}, {0, -10, 20, 40}},
    };
    for (const CentreCase& c : cases)
        EXPECT_EQ(fader::CentreThumb(c.horizontal, c.track, c.thumb, c.p), c.centred) << c.what;
}

struct MoveCase {
    const char* what;
    bool horizontal;
    Rect track, thumb;
    int delta;
    Rect moved;
};

TEST(FaderGeometry, MoveThumbByDelta) {
    const Rect mid{3, 100, 27, 155};
    const MoveCase cases[] = {
        {"up", false, kTrack, mid, -30, {3, 70, 27, 125}},
        {"down", false, kTrack, mid, 40, {3, 140, 27, 195}},
        {"up past the top stops at the top", false, kTrack, mid, -500, {3, 5, 27, 60}},
        {"down past the bottom stops at the bottom", false, kTrack, mid, 500, {3, 212, 27, 267}},
        {"exactly onto the top", false, kTrack, mid, -95, {3, 5, 27, 60}},
        {"horizontal right past the end", true, {10, 2, 110, 22}, {50, 2, 70, 22}, 100, {90, 2, 110, 22}},
        {"horizontal left past the end", true, {10, 2, 110, 22}, {50, 2, 70, 22}, -100, {10, 2, 30, 22}},
        // Longer than the track: only the top clamp applies once the top passed.
        {"thumb longer than the track", false, {0, 10, 20, 40}, {0, 10, 20, 60}, -5, {0, 10, 20, 60}},
    };
    for (const MoveCase& c : cases)
        EXPECT_EQ(fader::MoveThumb(c.horizontal, c.track, c.thumb, c.delta), c.moved) << c.what;
}

TEST(FaderGeometry, TextOriginCentresOrRefuses) {
    const Rect box{4, 270, 24, 286};  // 20 x 16
    const struct {
        int cx, cy;
        bool fits;
        Point origin;
    } cases[] = {
        {14, 10, true, {7, 273}}, {15, 11, true, {6, 272}},  // halves truncate
        {20, 16, true, {4, 270}}, {21, 16, true, {4, 270}},  // one pixel too wide halves to 0: still drawn
        {22, 10, false, {}},      {10, 18, false, {}},
    };
    for (const auto& c : cases) {
        Point p{-1, -1};
        EXPECT_EQ(fader::TextOrigin(box, c.cx, c.cy, &p), c.fits) << c.cx << "x" << c.cy;
        if (c.fits) {
            EXPECT_EQ(p, c.origin) << c.cx << "x" << c.cy;
        }
    }
}

}  // namespace
