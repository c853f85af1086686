// The shape a run-time key is cut to. Apart from the window code that cuts it,
// so that the key tables, which give each key its shape, need no window headers.
#pragma once

enum class KeyOutline { Rectangle, Ellipse, LeftWing, RightWing };
