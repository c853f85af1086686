#include "panels/PanelCheckControls.h"

#include <string>

#include "contract/PanelBlocks.h"
#include "panels/AudioLayout.h"
#include "panels/JogShuttleLayout.h"
#include "panels/MediaBarLayout.h"
#include "panels/TrackballLayout.h"

namespace {
template <class Layout, size_t N>
void AddKeys(std::vector<CheckControl>& out, const Layout (&keys)[N]) {
    for (const Layout& key : keys) out.push_back({key.name, CheckKind::Key});
}
}  // namespace

std::vector<CheckControl> PanelCheckControls(int panel) {
    std::vector<CheckControl> controls;
    switch (panel) {
    case kPanelJogShuttle:
        AddKeys(controls, kJogKeys);
        controls.push_back({"JOG dial", CheckKind::Direction});
        controls.push_back({"SHUTTLE", CheckKind::Direction});
        break;
    case kPanelAudio:
        AddKeys(controls, kAudioKeys);
        // The panel prints the channel number under each fader and M under the master.
        for (int f = 0; f < kAudioFaderCount; ++f)
            controls.push_back(
                {"Fader " + (f == kAudioMasterFader ? std::string("M") : std::to_string(f + 1)), CheckKind::Fader});
        break;
    case kPanelTrackball:
        AddKeys(controls, kTrackballKeys);
        controls.push_back({"Ball X", CheckKind::Direction});
        controls.push_back({"Ball Y", CheckKind::Direction});
        controls.push_back({"Z ring", CheckKind::Steps});
        break;
    case kPanelMediaBar:
        AddKeys(controls, kMediaBarKeys);
        for (int k = 0; k < kMediaBarKnobCount; ++k)
            controls.push_back({"Knob " + std::to_string(k + 1), CheckKind::Steps});
        break;
    default:
        break;
    }
    return controls;
}
