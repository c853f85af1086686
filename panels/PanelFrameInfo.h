// What differs between the four panel windows' common frame, as data: one row
// per PanelIndex. The frame code reads its row and has no per-panel branches.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <iterator>

#include "contract/PanelBlocks.h"
#include "contract/TqDvManager.h"

// When the window obtains its panel. The Audio window needs all of its controls
// before the first report can arrive, so it acquires as the last step of Open
// instead of in its dialog initialisation.
enum class AcquireStep { InitDialog, EndOfOpen };
// Where the teardown runs: in the DestroyWindow the main window calls, or in
// WM_DESTROY (Audio).
enum class TeardownStep { DestroyWindow, WmDestroy };

// Controls that Normal enables and Test disables besides ProgramDownLoad.
struct ModeControls {
    constexpr ModeControls() = default;
    template <std::size_t N>
    constexpr ModeControls(const int (&ids)[N]) : first(ids), count(N) {}
    const int* begin() const { return first; }
    const int* end() const { return first + count; }

    const int* first = nullptr;
    std::size_t count = 0;
};

struct PanelFrameInfo {
    int panelIndex;
    UINT templateId;
    UINT goodbyeMessage;
    AcquireStep acquireStep;
    TeardownStep teardownStep;
    ModeControls modeControls;
    // The panel's picture control, and where the picture's top-left pixel must
    // land in client pixels: the keys and dials over it are placed in pixels.
    UINT picture;
    POINT pictureOrigin;
    // The same role sits at a different slot of each panel's device interface;
    // these adapters call the right one.
    TqStatus (*setMode)(ITqPanelDevice* device, std::int32_t mode);
    TqStatus (*getDeviceStatus)(ITqPanelDevice* device, PanelDeviceStatus* status);
};

// The row of a panel; panel must be a PanelIndex (0 to 3).
const PanelFrameInfo& PanelFrameInfoOf(int panel);

// The panel whose window says goodbye with msg, or -1.
int PanelOfGoodbye(UINT msg);
