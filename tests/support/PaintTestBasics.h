// What the painting tests of every window kind start from.
#pragma once

#include <windows.h>

namespace painttest {

// Dispatches everything posted so far, paints included, without blocking.
inline void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// A colour no window under test paints, for marking what a window showed before.
constexpr COLORREF kScribble = RGB(1, 2, 3);

}  // namespace painttest
