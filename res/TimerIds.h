// Timer ids of the panel windows. The frame, its firmware download and the
// Audio window set timers on the same window, so each purpose has its own id.
#pragma once

#include <windows.h>

constexpr UINT_PTR kDownloadPollTimerId = 1;  // the firmware download's status poll
constexpr UINT_PTR kReportFrameTimerId = 2;   // the deferred handling of waiting reports
constexpr UINT_PTR kFaderPendingTimerId = 3;  // the Audio panel's pending word after Normal
constexpr UINT_PTR kPanelCheckTickTimerId = 4;  // the Panel Check window's own: held keys turn stuck
constexpr UINT_PTR kAutomaticCheckTimerId = 5;  // the Panel Check's motor steps and hands-off countdown
