// One VelPanel per user session and desktop: two programs would drive the same
// panels' modes, lamps and faders against each other. A second start shows the
// running VelPanel and ends before it has touched the device library.
#pragma once

#include <windows.h>

class CSingleInstance {
public:
    CSingleInstance() = default;
    ~CSingleInstance();
    CSingleInstance(const CSingleInstance&) = delete;
    CSingleInstance& operator=(const CSingleInstance&) = delete;

    // True when this program may run: no other VelPanel holds the session's
    // claim, or the one that did has ended meanwhile. False when another one
    // runs; its main window has then been brought to the front (restored if
    // minimised), if it showed one in time.
    bool Claim();

    // The main window marks itself so that a second start can find it; the mark
    // goes before the window does.
    static void MarkMainWindow(HWND hwnd);
    static void UnmarkMainWindow(HWND hwnd);

private:
    HANDLE m_mutex = nullptr;
    bool m_owned = false;
};
