// The Jog & Shuttle device interface's own slots.
#pragma once

#include "recorder/DeviceProxy.h"

class JogShuttleDeviceProxy final : public DeviceProxy<ITqJogShuttleDevice, JogShuttleDeviceProxy> {
public:
    using DeviceProxy::DeviceProxy;

    TqStatus SetDialMode(std::uint8_t* block) override {
        return Forward("SetDialMode", RecorderSession::BlockText(block, kDialModeBlockSize),
                       [&] { return real_->SetDialMode(block); });
    }
    TqStatus Reserved7() override {
        return Forward("slot7", "", [&] { return real_->Reserved7(); });
    }
    TqStatus Reserved8() override {
        return Forward("slot8", "", [&] { return real_->Reserved8(); });
    }

private:
    friend class DeviceProxy<ITqJogShuttleDevice, JogShuttleDeviceProxy>;
    ~JogShuttleDeviceProxy() = default;
};
