// Where the Trackball window puts its run-time controls. Client pixels of the
// window; a key's index is its bit in the report bytes and its LED number.
#pragma once

#include <windows.h>

#include "panels/JogShuttleLayout.h"
#include "panels/TrackballKeys.h"
#include "res/resource.h"

// The round keys' outline, in the key's client pixels.
inline constexpr RECT kTrackballRoundKeyEllipse = {0, 0, 35, 35};

// The ball and ring: created over a first rectangle, then moved to its place
// and cut to a circle.
inline constexpr RECT kTrackballDialCreateRect = {68, 65, 260, 257};
constexpr int kTrackballDialX = 57;
constexpr int kTrackballDialY = 54;
constexpr int kTrackballDialSize = 193;
inline constexpr RECT kTrackballDialEllipse = {0, 0, kTrackballDialSize, kTrackballDialSize};

// The picture's top-left pixel (inside the control's two-pixel client edge):
// every position above was drawn against the picture placed here.
inline constexpr POINT kTrackballPictureOrigin = {2, 2};
