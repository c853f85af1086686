// The arithmetic of the fader control: where the thumb sits for a value, which
// value a thumb position stands for, and how presses and drags move the thumb.
// Free of any window so that it can be checked on the host too.
#pragma once

namespace fader {

// Client pixels; a point is inside when left <= x < right and top <= y < bottom.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
inline bool operator==(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

struct Point {
    int x = 0;
    int y = 0;
};
inline bool operator==(Point a, Point b) { return a.x == b.x && a.y == b.y; }

bool Contains(const Rect& r, Point p);

// Along the fader's axis: x for a horizontal fader, y for a vertical one.
int ThumbSize(bool horizontal, const Rect& thumb);
int TrackLength(bool horizontal, const Rect& track);
// How far the thumb can travel: track length - thumb size.
int Span(bool horizontal, const Rect& track, const Rect& thumb);
// Distance of the thumb from the minimum end: the left end of a horizontal
// track, the bottom end of a vertical one.
int Offset(bool horizontal, const Rect& track, const Rect& thumb);

// The value a thumb at `offset` stands for:
//   minimum + trunc((maximum - minimum) / span * offset + 0.5)
// in double precision, in that order. A thumb without travel (span <= 0) says
// nothing about the value: `current` is kept, brought into the range.
int ValueAt(int minimum, int maximum, int span, int offset, int current);

// The offset that shows `value`: trunc(span * ((value - minimum) / (maximum - minimum))),
// the division first. 0 (the minimum end) when the thumb has no travel or the
// range is a single value.
int OffsetOf(int minimum, int maximum, int span, int value);

// The thumb moved to `offset` along the axis; its size and cross position stay.
Rect PlaceThumb(bool horizontal, const Rect& track, const Rect& thumb, int offset);

// The thumb centred on p along the axis (half its size truncated), then pushed
// back inside the track: first off the top (left) end, then off the bottom (right) end.
Rect CentreThumb(bool horizontal, const Rect& track, const Rect& thumb, Point p);

// The thumb moved by `delta` pixels along the axis (y down, x right); if it has
// passed the top (left) end it is set there, else if it has passed the bottom
// (right) end it is set there.
Rect MoveThumb(bool horizontal, const Rect& track, const Rect& thumb, int delta);

// Where text of extent (cx, cy) goes to sit centred in box: false when it does
// not fit, the half of either difference (truncated) being negative.
bool TextOrigin(const Rect& box, int cx, int cy, Point* origin);

}  // namespace fader
