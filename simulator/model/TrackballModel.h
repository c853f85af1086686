// The Trackball panel: 8 keys with LEDs, the ball and the Z-ring.
//
// Report: PanelChanges 0 key bits, 1 ball moved, 2 ring turned, 3 LED bits
// changed; PanelStatus 0 key states, 1-2 ball x (x = byte 1 - byte 2), 3-4
// ball y, 5-6 ring (byte 5 - byte 6), 7 LED states. A movement larger than
// 255 counts is several reports.
#pragma once

#include "simulator/model/PanelModel.h"

class TrackballModel : public PanelModel {
public:
    static constexpr int kKeyCount = 8;
    static constexpr int kMaxStep = 255;
    static const char* const kKeyNames[kKeyCount];

    TrackballModel();

    int KeyCount() const override { return kKeyCount; }
    const char* KeyName(int key) const override { return kKeyNames[key]; }

    std::int32_t SetLed(std::int32_t led, std::uint8_t state, Events& out);
    std::string MoveBall(int dx, int dy, Events& out);
    std::string TurnRing(int delta, Events& out);
    std::uint8_t Leds() const { return m_leds; }
    int LampCount() const override { return kKeyCount; }
    // Names what lights: a lamp fault shows there and nowhere on the wire.
    std::string Describe() const override { return PanelModel::Describe() + LampsField(); }

    // A movement as the (first, second) byte pair: first - second = value, |value| <= 255.
    static void EncodeMovement(int value, std::uint8_t& first, std::uint8_t& second);

protected:
    void KeyPlace(int key, int& changeByte, int& statusByte, int& bit) const override;
    void FillStatus(PanelStatus& status) const override;
    void ResetInputs() override { m_leds = 0; }
    std::uint32_t CommandedLamps() const override { return m_leds; }

private:
    std::uint8_t m_leds = 0;
};
