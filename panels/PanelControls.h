// What the panel windows share about their run-time controls: creating one key
// or lamp where the layout puts it, cutting it to its outline, and taking a set
// of controls (members of the window, in arrays) down again.
#pragma once

#include <windows.h>

#include "panels/KeyOutline.h"
#include "widgets/CShapedButton.h"

// Creates key (a button with the id) on parent at x, y, w by h client pixels with
// its normal and pressed bitmaps, as every run-time key and lamp is made.
void CreateKey(CShapedButton& key, CWnd* parent, UINT id, int x, int y, int w, int h, UINT normalBitmap,
               UINT pressedBitmap);

// Gives the key its window region; ellipse is the one a round key is cut to.
void ApplyKeyOutline(CShapedButton& key, KeyOutline outline, const RECT& ellipse);

// Destroys the window of every control that has one; the objects are the
// window's members and go with it.
template <class Control, size_t N>
void DestroyWindows(Control (&controls)[N]) {
    for (Control& control : controls)
        if (control.GetSafeHwnd()) control.DestroyWindow();
}

// How many of count controls from first have a window now.
template <class Control, size_t N>
size_t CountWindows(const Control (&controls)[N], size_t first = 0, size_t count = N) {
    size_t created = 0;
    for (size_t i = first; i < first + count && i < N; ++i)
        if (controls[i].GetSafeHwnd()) ++created;
    return created;
}
