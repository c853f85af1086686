// The Audio panel: 29 keys with lamps, OVER and DATA LEDs, eight channel faders
// and the master, all motorised.
//
// Report: PanelChanges 2-5 key groups 0-3, 6 channel fader bits, 7 bit 0
// master; PanelStatus 2-5 key states, 6-13 channel faders, 14 master, and (as
// in GetState) 15-18 lamp bits of groups 0-3, 19 bit 0 OVER, bit 1 DATA.
// Lamps have no change flag on the wire, so switching one is not reported.
// SetFader(n, 1, pos) makes the motor take the fader there and hold it (one
// report when it moved); SetFader(n, 0, x) lets go without moving. A held
// fader cannot be pushed by hand. The status line shows the nine positions
// (held ones marked *) and the lit lamps by name.
#pragma once

#include <array>

#include "simulator/model/PanelModel.h"

class AudioModel : public PanelModel {
public:
    static constexpr int kKeyCount = 29;
    static constexpr int kFaderCount = 9;  // 0-7 channels, 8 master
    static constexpr int kMaster = 8;
    static constexpr int kLedOver = 29;
    static constexpr int kLedData = 30;
    static const char* const kKeyNames[kKeyCount];

    AudioModel();

    int KeyCount() const override { return kKeyCount; }
    const char* KeyName(int key) const override { return kKeyNames[key]; }

    std::int32_t SetLed(std::int32_t led, std::uint8_t state);
    std::int32_t SetFader(std::int32_t fader, std::int32_t held, std::uint8_t pos, Events& out);
    std::int32_t GetState(PanelStatus& state) const;
    // A hand on fader n (0-8) moving it to pos.
    std::string MoveFader(int fader, int pos, Events& out);

    int FaderPosition(int fader) const { return m_faders[fader]; }
    // A fault for the Panel Check: the fader reports nothing while its knob is
    // between from and to (a worn track); from > to clears it.
    void SetDeadZone(int fader, int from, int to) { m_deadZones[fader] = {from, to}; }
    // A noisy fader's reading wanders by delta (the other way at an end)
    // without a hand on it: reported, dead zone or not; nothing while unplugged
    // or held by the motor. Gives back how far it moved.
    int Jitter(int fader, int delta, Events& out);
    bool FaderHeld(int fader) const { return m_held[fader]; }
    bool Lamp(int led) const { return (m_lamps >> led) & 1u; }
    std::string Describe() const override;

protected:
    void KeyPlace(int key, int& changeByte, int& statusByte, int& bit) const override;
    void FillStatus(PanelStatus& status) const override;
    void ResetInputs() override;

private:
    void ReportFader(int fader, Events& out) const;

    std::array<int, kFaderCount> m_faders{};
    struct DeadZone {
        int from = 1, to = 0;
    };
    std::array<DeadZone, kFaderCount> m_deadZones{};
    std::array<bool, kFaderCount> m_held{};
    std::uint32_t m_lamps = 0;  // bits 0-28 key lamps, 29 OVER, 30 DATA
};
