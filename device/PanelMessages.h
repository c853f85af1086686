// Messages the event sink posts to its owner, and the goodbye messages a panel
// window posts to the main window.
#pragma once

#include <windows.h>

constexpr UINT WM_PANEL_CONNECTION = WM_USER + 2;  // wParam PanelIndex, lParam state (1 = connected)
constexpr UINT WM_PANEL_REPORT = WM_USER + 3;      // a new report is in the sink
constexpr UINT WM_PANEL_PROGRESS = WM_USER + 4;    // the firmware download has ended

// Deliberately below WM_USER: the main window's goodbye handlers have always used these numbers.
constexpr UINT ID_JOG_GOODBYE = 102;
constexpr UINT ID_FADER_GOODBYE = 106;
constexpr UINT ID_TRACKBALL_GOODBYE = 109;
constexpr UINT ID_KNOB_GOODBYE = 108;

constexpr int kPanelConnected = 1;
