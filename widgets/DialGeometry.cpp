#include "widgets/DialGeometry.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace dial {

namespace {
// Counts only come near the int limits from a caller passing absurd values;
// keep them representable instead of overflowing.
int Saturate(long long v) {
    if (v > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

int Truncate(double v) {
    // The values are bounded by a radius, far inside int.
    return static_cast<int>(std::trunc(v));
}
}  // namespace

Radii RadiiFor(Mode mode, int clientHeight) {
    Radii r;
    switch (mode) {
    case Mode::kKnob:
        r.outer = clientHeight / 3 - 2;
        r.inner = r.outer - 10;
        break;
    case Mode::kRing:
        r.outer = clientHeight / 2 - 6;
        r.inner = r.outer - 25;
        break;
    case Mode::kOff:
    case Mode::kJog:
    case Mode::kShuttle:
    case Mode::kDmc:
        r.outer = clientHeight / 3;
        r.inner = r.outer - 16;
        break;
    default:
        break;
    }
    return r;
}

int CountsPerTurn(Mode mode) {
    switch (mode) {
    case Mode::kKnob:
    case Mode::kRing:
        return kKnobCountsPerTurn;
    case Mode::kJog:
    case Mode::kShuttle:
    case Mode::kDmc:
        return kJogCountsPerTurn;
    default:
        return 0;
    }
}

long long AngleOfCount(long long count, int countsPerTurn) {
    if (countsPerTurn == 0) return 0;
    return count * 360 / countsPerTurn;
}

double Radians(long long degrees) {
    if (degrees == 0) return 0.0;
    return kPi / (180.0 / static_cast<double>(degrees));
}

Point RotatePoint(Point p, long long degrees) {
    const double theta = Radians(degrees);
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    return Point{Truncate(p.x * c + p.y * s), Truncate(p.y * c - p.x * s)};
}

Mark MarkAt(Point outer, Point inner, long long degrees) {
    return Mark{RotatePoint(outer, degrees), RotatePoint(inner, degrees)};
}

Point BallCentre(int x, int y) {
    const double m = std::abs(static_cast<double>(x)) > std::abs(static_cast<double>(y)) ? x : y;
    const double yy = y;
    const int d = Truncate(std::sqrt(m * m - yy * yy));
    const double dd = d;
    const int e = Truncate(std::sqrt(m * m - dd * dd));
    return Point{x < 0 ? -d : d, y < 0 ? -e : e};
}

Step RotateStep(Mode mode, int count, int nCount) {
    Step step;
    step.count = count;
    switch (mode) {
    case Mode::kKnob:
    case Mode::kRing: {
        const long long sum = static_cast<long long>(count) + nCount;
        step.angle = AngleOfCount(sum, kKnobCountsPerTurn);
        step.count = (sum > kKnobCountsPerTurn || sum < -kKnobCountsPerTurn) ? 0 : static_cast<int>(sum);
        step.draw = mode == Mode::kRing ? Draw::kMarkAndBall : Draw::kMark;
        break;
    }
    case Mode::kOff:
        step.draw = Draw::kRestMark;
        break;
    case Mode::kJog: {
        long long sum = static_cast<long long>(count) + nCount;
        step.angle = AngleOfCount(sum, kJogCountsPerTurn);
        if (sum >= kJogCountsPerTurn)
            sum -= kJogCountsPerTurn;
        else if (sum <= -kJogCountsPerTurn)
            sum += kJogCountsPerTurn;
        step.count = Saturate(sum);
        step.draw = Draw::kMark;
        break;
    }
    case Mode::kShuttle:
    case Mode::kDmc:
        step.angle = AngleOfCount(nCount, kJogCountsPerTurn);
        step.count = nCount;
        step.draw = Draw::kMark;
        break;
    default:
        break;
    }
    return step;
}

}  // namespace dial
