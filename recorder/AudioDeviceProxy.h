// The Audio device interface's own slots.
#pragma once

#include "recorder/DeviceProxy.h"

class AudioDeviceProxy final : public DeviceProxy<ITqAudioDevice, AudioDeviceProxy> {
public:
    using DeviceProxy::DeviceProxy;

    TqStatus Reserved6() override {
        return Forward("slot6", "", [&] { return m_real->Reserved6(); });
    }
    TqStatus SetLed(std::int32_t led, std::uint8_t state) override {
        return Forward("SetLed", std::to_string(led) + " " + std::to_string(state),
                       [&] { return m_real->SetLed(led, state); });
    }
    TqStatus SetFader(std::int32_t fader, std::int32_t held, std::uint8_t pos) override {
        return Forward("SetFader", std::to_string(fader) + " " + std::to_string(held) + " " + std::to_string(pos),
                       [&] { return m_real->SetFader(fader, held, pos); });
    }
    TqStatus Reserved9() override {
        return Forward("slot9", "", [&] { return m_real->Reserved9(); });
    }
    TqStatus Reserved10() override {
        return Forward("slot10", "", [&] { return m_real->Reserved10(); });
    }
    TqStatus Reserved11() override {
        return Forward("slot11", "", [&] { return m_real->Reserved11(); });
    }
    TqStatus GetState(PanelStatus* state) override {
        return Forward(
            "GetState", state ? "" : "null", [&] { return m_real->GetState(state); },
            [&](TqStatus r) { return r >= 0 ? RecorderSession::BlockText(state, sizeof *state) : std::string(); });
    }

private:
    friend class DeviceProxy<ITqAudioDevice, AudioDeviceProxy>;
    ~AudioDeviceProxy() = default;
};
