// The Audio panel's device interface.
#pragma once

#include "simulator/DeviceObject.h"

class AudioDevice final : public DeviceObject<ITqAudioDevice> {
public:
    AudioDevice() : DeviceObject(kPanelAudio) {}
    TqStatus Reserved6() override { return Placeholder("slot 6"); }
    TqStatus SetLed(std::int32_t led, std::uint8_t state) override {
        if (!Alive("SetLed")) return simstatus::kReleased;
        return Sim().SetLed(m_panel, led, state);
    }
    TqStatus SetFader(std::int32_t fader, std::int32_t held, std::uint8_t pos) override {
        if (!Alive("SetFader")) return simstatus::kReleased;
        return Sim().SetFader(fader, held, pos);
    }
    TqStatus Reserved9() override { return Placeholder("slot 9"); }
    TqStatus Reserved10() override { return Placeholder("slot 10"); }
    TqStatus Reserved11() override { return Placeholder("slot 11"); }
    TqStatus SetMode(std::int32_t mode) override { return CommonSetMode(mode); }
    TqStatus GetDeviceStatus(PanelDeviceStatus* status) override { return CommonGetDeviceStatus(status); }
    TqStatus GetState(PanelStatus* state) override {
        if (!Alive("GetState")) return simstatus::kReleased;
        return Sim().GetState(state);
    }
};
