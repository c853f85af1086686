// The arithmetic of the dial control: radii, angles, mark end points and the
// ball circle. Free of any window so that it can be checked on the host too.
#pragma once

namespace dial {

// What the dial control is showing, which sets its geometry, its counts per
// turn and what a count does.
enum class Mode {
    kNone,     // draws nothing: a dial not set up yet, or a jog dial whose panel reported no valid mode
    kKnob,     // Media Bar knob
    kRing,     // Trackball ring, with the ball circle
    kOff,      // jog dial OFF: the mark at rest
    kJog,      // jog dial JOG: counts are movements
    kShuttle,  // jog dial SHUTTLE: counts are positions
    kDmc,      // jog dial DMC: counts are positions
};

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
Radii RadiiFor(Mode mode, int clientHeight);

// Counts per full turn of a mode; 0 for OFF and kNone.
int CountsPerTurn(Mode mode);

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
    kNothing,      // Mode::kNone
    kRestMark,     // OFF: the angle-0 mark over whatever is shown, no skin
    kMark,         // skin, then the mark of `angle`
    kMarkAndBall,  // ring: skin, mark of `angle`, then skin, ring mark and ball circle
};

struct Step {
    Draw draw = Draw::kNothing;
    long long angle = 0;
    int count = 0;  // the count after the step
};

Step RotateStep(Mode mode, int count, int nCount);

}  // namespace dial
