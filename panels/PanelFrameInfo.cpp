#include "panels/PanelFrameInfo.h"

#include "device/PanelMessages.h"
#include "panels/AudioLayout.h"
#include "panels/JogShuttleLayout.h"
#include "panels/MediaBarLayout.h"
#include "panels/TrackballLayout.h"
#include "res/resource.h"

namespace {
template <class Device>
TqStatus SetModeOf(ITqPanelDevice* device, std::int32_t mode) {
    return static_cast<Device*>(device)->SetMode(mode);
}

template <class Device>
TqStatus GetDeviceStatusOf(ITqPanelDevice* device, PanelDeviceStatus* status) {
    return static_cast<Device*>(device)->GetDeviceStatus(status);
}

template <class Device>
constexpr PanelFrameInfo Row(int panel, UINT templateId, UINT goodbye, AcquireStep acquire, TeardownStep teardown,
                             UINT picture, POINT pictureOrigin, ModeControls modeControls = {}) {
    return PanelFrameInfo{panel,
                          templateId,
                          goodbye,
                          acquire,
                          teardown,
                          modeControls,
                          picture,
                          pictureOrigin,
                          &SetModeOf<Device>,
                          &GetDeviceStatusOf<Device>};
}

constexpr int kJogModeControls[] = {IDC_DIAL_OFF, IDC_DIAL_JOG, IDC_DIAL_SHUTTLE, IDC_DIAL_DMC};

constexpr PanelFrameInfo kFrames[] = {
    Row<ITqJogShuttleDevice>(kPanelJogShuttle, IDD_JOG_PANEL, ID_JOG_GOODBYE, AcquireStep::InitDialog,
                             TeardownStep::DestroyWindow, IDC_JOG_PICTURE, kJogPictureOrigin, kJogModeControls),
    Row<ITqAudioDevice>(kPanelAudio, IDD_AUDIO_PANEL, ID_FADER_GOODBYE, AcquireStep::EndOfOpen, TeardownStep::WmDestroy,
                        IDC_AUDIO_PICTURE, kAudioPictureOrigin),
    Row<ITqTrackballDevice>(kPanelTrackball, IDD_TRACKBALL_PANEL, ID_TRACKBALL_GOODBYE, AcquireStep::InitDialog,
                            TeardownStep::DestroyWindow, IDC_TRACKBALL_PICTURE, kTrackballPictureOrigin),
    Row<ITqMediaBarDevice>(kPanelMediaBar, IDD_MEDIABAR_PANEL, ID_KNOB_GOODBYE, AcquireStep::InitDialog,
                           TeardownStep::DestroyWindow, IDC_MEDIABAR_PICTURE, kMediaBarPictureOrigin),
};
static_assert(std::size(kFrames) == kPanelCount, "one frame row per panel");
}  // namespace

const PanelFrameInfo& PanelFrameInfoOf(int panel) { return kFrames[(panel >= 0 && panel < kPanelCount) ? panel : 0]; }

int PanelOfGoodbye(UINT msg) {
    for (const PanelFrameInfo& row : kFrames)
        if (row.goodbyeMessage == msg) return row.panelIndex;
    return -1;
}
