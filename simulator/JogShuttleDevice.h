// The Jog & Shuttle panel's device interface.
#pragma once

#include "simulator/DeviceObject.h"

class JogShuttleDevice final : public DeviceObject<ITqJogShuttleDevice> {
public:
    JogShuttleDevice() : DeviceObject(kPanelJogShuttle) {}
    TqStatus SetDialMode(std::uint8_t* block60) override {
        if (!Alive("SetDialMode")) return simstatus::kReleased;
        return Sim().SetDialMode(block60);
    }
    TqStatus Reserved7() override { return Placeholder("slot 7"); }
    TqStatus Reserved8() override { return Placeholder("slot 8"); }
    TqStatus SetMode(std::int32_t mode) override { return CommonSetMode(mode); }
    TqStatus GetDeviceStatus(PanelDeviceStatus* status) override { return CommonGetDeviceStatus(status); }
};
