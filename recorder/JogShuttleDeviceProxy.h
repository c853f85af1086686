// The Jog & Shuttle device interface's own slots.
#pragma once

#include "recorder/DeviceProxy.h"

class JogShuttleDeviceProxy final : public DeviceProxy<ITqJogShuttleDevice, JogShuttleDeviceProxy> {
public:
    using DeviceProxy::DeviceProxy;

    TqStatus SetDialMode(std::uint8_t* block) override {
        return Forward("SetDialMode", RecorderSession::BlockText(block, kDialModeBlockSize),
                       [&] { return m_real->SetDialMode(block); });
    }
    TqStatus Reserved7() override {
        return Forward("slot7", "", [&] { return m_real->Reserved7(); });
    }
    TqStatus Reserved8() override {
        return Forward("slot8", "", [&] { return m_real->Reserved8(); });
    }

private:
    friend class DeviceProxy<ITqJogShuttleDevice, JogShuttleDeviceProxy>;
    ~JogShuttleDeviceProxy() = default;
};
