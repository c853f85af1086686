#include "widgets/FaderGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace fader {

namespace {
// A thumb sits inside its track, so the result lies in the range; only absurd
// geometry could leave int, and then it is kept representable.
int Saturate(double v) {
    if (v >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (v <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

// Sets the leading edge along the axis and keeps the size.
Rect WithLead(bool horizontal, const Rect& thumb, int lead) {
    Rect r = thumb;
    if (horizontal) {
        r.left = lead;
        r.right = lead + (thumb.right - thumb.left);
    } else {
        r.top = lead;
        r.bottom = lead + (thumb.bottom - thumb.top);
    }
    return r;
}

// Sets the trailing edge along the axis and keeps the size.
Rect WithTrail(bool horizontal, const Rect& thumb, int trail) {
    Rect r = thumb;
    if (horizontal) {
        r.right = trail;
        r.left = trail - (thumb.right - thumb.left);
    } else {
        r.bottom = trail;
        r.top = trail - (thumb.bottom - thumb.top);
    }
    return r;
}

int Lead(bool horizontal, const Rect& r) { return horizontal ? r.left : r.top; }
int Trail(bool horizontal, const Rect& r) { return horizontal ? r.right : r.bottom; }
}  // namespace

bool Contains(const Rect& r, Point p) { return r.left <= p.x && p.x < r.right && r.top <= p.y && p.y < r.bottom; }

int ThumbSize(bool horizontal, const Rect& thumb) {
    return horizontal ? thumb.right - thumb.left : thumb.bottom - thumb.top;
}

int TrackLength(bool horizontal, const Rect& track) {
    return horizontal ? track.right - track.left : track.bottom - track.top;
}

int Span(bool horizontal, const Rect& track, const Rect& thumb) {
    return TrackLength(horizontal, track) - ThumbSize(horizontal, thumb);
}

int Offset(bool horizontal, const Rect& track, const Rect& thumb) {
    return horizontal ? thumb.left - track.left : track.bottom - thumb.bottom;
}

int ValueAt(int minimum, int maximum, int span, int offset, int current) {
    if (span <= 0) return std::clamp(current, minimum, maximum);
    const double range = static_cast<double>(maximum) - static_cast<double>(minimum);
    const double step = std::trunc(range / static_cast<double>(span) * static_cast<double>(offset) + 0.5);
    return Saturate(static_cast<double>(minimum) + step);
}

int OffsetOf(int minimum, int maximum, int span, int value) {
    if (span <= 0 || maximum <= minimum) return 0;
    const double share = (static_cast<double>(value) - static_cast<double>(minimum)) /
                         (static_cast<double>(maximum) - static_cast<double>(minimum));
    return Saturate(std::trunc(static_cast<double>(span) * share));
}

Rect PlaceThumb(bool horizontal, const Rect& track, const Rect& thumb, int offset) {
    return horizontal ? WithLead(true, thumb, track.left + offset) : WithTrail(false, thumb, track.bottom - offset);
}

Rect CentreThumb(bool horizontal, const Rect& track, const Rect& thumb, Point p) {
    const int half = ThumbSize(horizontal, thumb) / 2;
    Rect r = WithLead(horizontal, thumb, (horizontal ? p.x : p.y) - half);
    if (Lead(horizontal, r) < Lead(horizontal, track)) r = WithLead(horizontal, r, Lead(horizontal, track));
    if (Trail(horizontal, r) > Trail(horizontal, track)) r = WithTrail(horizontal, r, Trail(horizontal, track));
    return r;
}

Rect MoveThumb(bool horizontal, const Rect& track, const Rect& thumb, int delta) {
    Rect r = WithLead(horizontal, thumb, Lead(horizontal, thumb) + delta);
    if (Lead(horizontal, r) < Lead(horizontal, track))
        r = WithLead(horizontal, r, Lead(horizontal, track));
    else if (Trail(horizontal, r) > Trail(horizontal, track))
        r = WithTrail(horizontal, r, Trail(horizontal, track));
    return r;
}

bool TextOrigin(const Rect& box, int cx, int cy, Point* origin) {
    const int dx = (box.right - box.left - cx) / 2;
    const int dy = (box.bottom - box.top - cy) / 2;
    if (dx < 0 || dy < 0) return false;
    if (origin) *origin = Point{box.left + dx, box.top + dy};
    return true;
}

}  // namespace fader
