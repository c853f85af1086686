// The Media Bar panel: keys A and B with LEDs and eight knobs.
//
// Report: PanelChanges 0 key bits, 1+k knob k turned, 9 LED bits changed;
// PanelStatus 0 key states, (1+2k, 2+2k) knob k movement, 17 LED states. A
// forward movement m is (m, 0); a backward one is (256 + m, 255), the form the
// panel uses for every negative move, so one report carries -256 .. 255.
#pragma once

#include "simulator/model/PanelModel.h"

class MediaBarModel : public PanelModel {
public:
    static constexpr int kKeyCount = 2;
    static constexpr int kKnobCount = 8;
    static constexpr int kMinStep = -256;
    static constexpr int kMaxStep = 255;
    static const char* const kKeyNames[kKeyCount];

    MediaBarModel();

    int KeyCount() const override { return kKeyCount; }
    const char* KeyName(int key) const override { return kKeyNames[key]; }

    std::int32_t SetLed(std::int32_t led, std::uint8_t state, Events& out);
    // Knob 0-7 (labelled 1-8 on the panel).
    std::string TurnKnob(int knob, int delta, Events& out);
    std::uint8_t Leds() const { return m_leds; }
    int LampCount() const override { return kKeyCount; }
    // Names what lights: a lamp fault shows there and nowhere on the wire.
    std::string Describe() const override { return PanelModel::Describe() + LampsField(); }

    static void EncodeMovement(int value, std::uint8_t& first, std::uint8_t& second);
    static int DecodeMovement(std::uint8_t first, std::uint8_t second);

protected:
    void KeyPlace(int key, int& changeByte, int& statusByte, int& bit) const override;
    void FillStatus(PanelStatus& status) const override;
    void ResetInputs() override { m_leds = 0; }
    std::uint32_t CommandedLamps() const override { return m_leds; }

private:
    std::uint8_t m_leds = 0;
};
