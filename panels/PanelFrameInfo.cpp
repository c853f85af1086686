#include "PanelFrameInfo.h"

#include "PanelIids.h"
#include "PanelMessages.h"
#include "resource.h"

namespace {
template <class Device>
TqStatus SetModeOf(ITqPanelDevice* device, std::int32_t mode) {
    return static_cast<Device*>(device)->SetMode(mode);
}

template <class Device>
TqStatus GetDeviceStatusOf(ITqPanelDevice* device, PanelDeviceStatus* status) {
    return static_cast<Device*>(device)->GetDeviceStatus(status);
}

constexpr int kJogModeControls[] = {IDC_DIAL_OFF, IDC_DIAL_JOG, IDC_DIAL_SHUTTLE, IDC_DIAL_DMC};

const PanelFrameInfo kFrames[kPanelCount] = {
    {kPanelJogShuttle, IDD_JOG_PANEL, ID_JOG_GOODBYE, &IID_TqJogShuttleDevice, &IID_TqJogShuttleEvents, false, false,
     kJogModeControls, 4, &SetModeOf<ITqJogShuttleDevice>, &GetDeviceStatusOf<ITqJogShuttleDevice>},
    {kPanelAudio, IDD_AUDIO_PANEL, ID_FADER_GOODBYE, &IID_TqAudioDevice, &IID_TqAudioEvents, true, true, nullptr, 0,
     &SetModeOf<ITqAudioDevice>, &GetDeviceStatusOf<ITqAudioDevice>},
    {kPanelTrackball, IDD_TRACKBALL_PANEL, ID_TRACKBALL_GOODBYE, &IID_TqTrackballDevice, &IID_TqTrackballEvents,
     false, false, nullptr, 0, &SetModeOf<ITqTrackballDevice>, &GetDeviceStatusOf<ITqTrackballDevice>},
    {kPanelMediaBar, IDD_MEDIABAR_PANEL, ID_KNOB_GOODBYE, &IID_TqMediaBarDevice, &IID_TqMediaBarEvents, false, false,
     nullptr, 0, &SetModeOf<ITqMediaBarDevice>, &GetDeviceStatusOf<ITqMediaBarDevice>},
};
}  // namespace

const PanelFrameInfo& PanelFrameInfoOf(int panel) {
    return kFrames[(panel >= 0 && panel < kPanelCount) ? panel : 0];
}
