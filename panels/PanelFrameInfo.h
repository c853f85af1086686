// What differs between the four panel windows' common frame, as data: one row
// per PanelIndex. The frame code reads its row and has no per-panel branches.
#pragma once

#include <windows.h>

#include <cstdint>

#include "PanelBlocks.h"
#include "TqDvManager.h"

struct PanelFrameInfo {
    int panelIndex;
    UINT templateId;
    UINT goodbyeMessage;
    const GUID* deviceIid;
    const GUID* eventIid;
    // The Audio window needs all of its controls before the first report can
    // arrive, so it acquires the panel as the last step of Open instead of in
    // its dialog initialisation; it also tears down in WM_DESTROY.
    bool acquiresAtEndOfOpen;
    bool tearsDownInWmDestroy;
    // Controls that Normal enables and Test disables besides ProgramDownLoad.
    const int* modeControls;
    int modeControlCount;
    // The same role sits at a different slot of each panel's device interface;
    // these adapters call the right one.
    TqStatus (*setMode)(ITqPanelDevice* device, std::int32_t mode);
    TqStatus (*getDeviceStatus)(ITqPanelDevice* device, PanelDeviceStatus* status);
};

// The row of a panel; panel must be a PanelIndex (0 to 3).
const PanelFrameInfo& PanelFrameInfoOf(int panel);
