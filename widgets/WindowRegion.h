// Hands a new region to a window as its window region. The window owns the
// region once SetWindowRgn succeeds; on failure it is deleted here.
#pragma once

#include <windows.h>

BOOL SetEllipticWindowRegion(HWND hwnd, const RECT& rc);
BOOL SetPolygonWindowRegion(HWND hwnd, const POINT* points, int count, int fillMode);
