// Growing a window until everything it placed is inside its client area. A
// dialog's size in pixels follows from its font, which differs between machines
// (font substitutes, DPI), while controls placed in pixels do not follow it.
#pragma once

#include <windows.h>

// The smallest client size, never smaller than client, whose area from (0, 0)
// holds bounds (client coordinates) with margin to its right and below it.
SIZE GrownClientSize(SIZE client, const RECT& bounds, SIZE margin);

// The union of the window's direct children in its client coordinates; an
// empty rectangle when it has none.
RECT ChildrenBounds(HWND window);

// Grows the window, keeping its top-left corner, until its client area holds
// every direct child with margin to the right and below; never shrinks it.
void GrowClientToChildren(HWND window, SIZE margin = {0, 0});
