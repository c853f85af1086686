// The arithmetic of the dial control: radii, angles, mark end points and the
// ball circle. Free of any window so that it can be checked on the host too.
#pragma once

namespace dial {

// Mode values of the dial control: the knob and ring ids, and for the jog dial
// the ids of its four dial-mode radio buttons.
constexpr int kModeKnob = 107;     // IDC_KNOB
constexpr int kModeRing = 110;     // IDS_ZRING
constexpr int kModeOff = 1013;     // jog dial OFF
constexpr int kModeJog = 1014;     // jog dial JOG
constexpr int kModeShuttle = 1015; // jog dial SHUTTLE
constexpr int kModeDmc = 1016;     // jog dial DMC

constexpr int kKnobCountsPerTurn = 200;
constexpr int kJogCountsPerTurn = 288;

// Not a full-precision pi on purpose: the mark end points are truncated, and a
// few of them land on the other side of an integer with the exact value.
constexpr double kPi = 3.1415926535;

struct Point {
    int x = 0;
    int y = 0;
};
inline bool operator==(Point a, Point b) { return a.x == b.x && a.y == b.y; }
inline bool operator!=(Point a, Point b) { return !(a == b); }

struct Radii {
    int outer = 0;
    int inner = 0;
};

// Outer and inner radius of the mark for a client height; both 0 for a mode
// that has no mark.
Radii RadiiFor(int mode, int clientHeight);

// Counts per full turn of a mode; 0 for OFF and for unknown modes.
int CountsPerTurn(int mode);

// trunc(count * 360 / countsPerTurn) in integer arithmetic; 0 when countsPerTurn is 0.
long long AngleOfCount(long long count, int countsPerTurn);

// Angle in radians the way the dial computes it: kPi / (180 / a), 0 for a = 0.
double Radians(long long degrees);

// A point of the angle-0 mark turned clockwise by `degrees` (y up), each
// coordinate truncated toward zero.
Point RotatePoint(Point p, long long degrees);

struct Mark {
    Point outer;
    Point inner;
};
inline bool operator==(const Mark& a, const Mark& b) { return a.outer == b.outer && a.inner == b.inner; }

Mark MarkAt(Point outer, Point inner, long long degrees);

// Centre of the ball circle for a ball movement (x, y).
Point BallCentre(int x, int y);

// What one Rotate(nCount) does in a mode.
enum class Draw {
    kNothing,     // unknown mode
    kRestMark,    // OFF: the angle-0 mark over whatever is shown, no skin
    kMark,        // skin, then the mark of `angle`
    kMarkAndBall, // ring: skin, mark of `angle`, then skin, ring mark and ball circle
};

struct Step {
    Draw draw = Draw::kNothing;
    long long angle = 0;
    int count = 0;  // the count after the step
};

Step RotateStep(int mode, int count, int nCount);

}  // namespace dial
