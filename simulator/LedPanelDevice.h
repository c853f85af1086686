// The device interface of the Trackball and the Media Bar panel.
#pragma once

#include "simulator/DeviceObject.h"

// Trackball and Media Bar share the layout; Interface picks which one it is.
template <class Interface>
class LedPanelDevice final : public DeviceObject<Interface> {
public:
    explicit LedPanelDevice(int panel) : DeviceObject<Interface>(panel) {}
    TqStatus Reserved6() override { return this->Placeholder("slot 6"); }
    TqStatus SetLed(std::int32_t led, std::uint8_t state) override {
        if (!this->Alive("SetLed")) return simstatus::kReleased;
        return this->Sim().SetLed(this->m_panel, led, state);
    }
    TqStatus SetMode(std::int32_t mode) override { return this->CommonSetMode(mode); }
    TqStatus GetDeviceStatus(PanelDeviceStatus* status) override { return this->CommonGetDeviceStatus(status); }
};

using TrackballDevice = LedPanelDevice<ITqTrackballDevice>;
using MediaBarDevice = LedPanelDevice<ITqMediaBarDevice>;
