// The Trackball and Media Bar device interfaces: one layout, one wrapper.
#pragma once

#include "recorder/DeviceProxy.h"

template <class Interface>
class LedPanelDeviceProxy final : public DeviceProxy<Interface, LedPanelDeviceProxy<Interface>> {
public:
    using DeviceProxy<Interface, LedPanelDeviceProxy<Interface>>::DeviceProxy;

    TqStatus Reserved6() override {
        return this->Forward("slot6", "", [&] { return this->m_real->Reserved6(); });
    }
    TqStatus SetLed(std::int32_t led, std::uint8_t state) override {
        return this->Forward("SetLed", std::to_string(led) + " " + std::to_string(state),
                             [&] { return this->m_real->SetLed(led, state); });
    }

private:
    friend class DeviceProxy<Interface, LedPanelDeviceProxy<Interface>>;
    ~LedPanelDeviceProxy() = default;
};
