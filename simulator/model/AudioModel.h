// The Audio panel: 29 keys with lamps, OVER and DATA LEDs, eight channel faders
// and the master, all motorised.
//
// Report: PanelChanges 2-5 key groups 0-3, 6 channel fader bits, 7 bit 0
// master; PanelStatus 2-5 key states, 6-13 channel faders, 14 master, and (as
// in GetState) 15-18 lamp bits of groups 0-3, 19 bit 0 OVER, bit 1 DATA.
// Lamps have no change flag on the wire, so switching one is not reported.
// SetFader(n, 1, pos) holds the fader and starts its motor: it travels at
// kMotorUnitsPerMs (the whole 0..255 in about 50 ms), reporting every position
// it passes on a Tick, and holds it where it stops. SetFader(n, 0, x) lets go:
// a running motor stops where it is. A held fader cannot be pushed by hand.
// The status line shows the nine positions (held ones marked *) and the lamps
// that light, by name.
//
// Each fader has a knob (where it physically stands: the hand and the motor
// move it) and a reading (what the panel reports and GetState gives). They
// differ only inside a dead zone, which the reading never enters, and while a
// noisy reading has wandered.
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

    // Motor faults for the Panel Check, one a fader; a new command after the
    // fault was set shows it.
    enum MotorFault {
        kMotorSound,      // travels straight to the target
        kMotorStall,      // never moves the fader
        kMotorSlow,       // starts kSlowStartMs after the command
        kMotorOvershoot,  // kOvershoot past the target, stands kOvershootStandMs, comes back
        kMotorReversed,   // runs away from the target to the end stop and stays there
        kMotorCrosstalk,  // when a motion ends, the neighbour is dragged kCrosstalkDrag the same way
        kMotorFaultCount
    };
    static const char* const kMotorFaultNames[kMotorFaultCount];  // "off" for kMotorSound
    static constexpr int kMotorUnitsPerMs = 5;
    // A late Tick still reports the way there: a position for every 10 ms of travel.
    static constexpr std::int64_t kMotorReportMs = 10;
    static constexpr std::int64_t kSlowStartMs = 700;
    static constexpr int kOvershoot = 12;
    static constexpr std::int64_t kOvershootStandMs = 100;
    static constexpr int kCrosstalkDrag = 6;

    AudioModel();

    int KeyCount() const override { return kKeyCount; }
    const char* KeyName(int key) const override { return kKeyNames[key]; }

    std::int32_t SetLed(std::int32_t led, std::uint8_t state);
    std::int32_t SetFader(std::int32_t fader, std::int32_t held, std::uint8_t pos, std::int64_t now, Events& out);
    std::int32_t GetState(PanelStatus& state) const;
    // A hand on fader n (0-8) moving it to pos.
    std::string MoveFader(int fader, int pos, Events& out);
    void SetMotorFault(int fader, MotorFault fault) { m_motors[fader].fault = fault; }

    bool HasTimedWork() const override;
    // Also runs the motors; an unplugged panel's motors stop dead.
    void Tick(std::int64_t now, Events& out) override;

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
    int LampCount() const override { return kLedData + 1; }
    const char* LampName(int lamp) const override;
    std::string Describe() const override;

protected:
    void KeyPlace(int key, int& changeByte, int& statusByte, int& bit) const override;
    void FillStatus(PanelStatus& status) const override;
    void ResetInputs() override;
    std::uint32_t CommandedLamps() const override { return m_lamps; }

private:
    // One motion of a motor is one or two legs (out and back for an
    // overshoot), each at constant speed from its start time.
    struct Motor {
        MotorFault fault = kMotorSound;
        bool running = false;
        int target = 0;
        int from = 0, to = 0;       // the leg under way
        std::int64_t legStart = 0;  // may lie ahead: a slow start, an overshoot's stand
        std::int64_t placedAt = 0;  // when the leg last moved the knob
        int way = 0;                // +1 or -1 once this motion moved the knob, else 0
    };

    void ReportFader(int fader, Events& out) const;
    // The knob goes to pos; the reading follows unless pos is in the dead zone.
    void Place(int fader, int pos, Events& out);
    void PlanMotion(int fader, std::int64_t now, Events& out);
    void RunMotor(int fader, std::int64_t now, Events& out);
    void EndLeg(int fader, std::int64_t at, Events& out);
    void StopMotor(int fader, Events& out);

    std::array<int, kFaderCount> m_knobs{};
    std::array<int, kFaderCount> m_faders{};  // the readings
    struct DeadZone {
        int from = 1, to = 0;
    };
    std::array<DeadZone, kFaderCount> m_deadZones{};
    std::array<bool, kFaderCount> m_held{};
    std::array<Motor, kFaderCount> m_motors{};
    std::uint32_t m_lamps = 0;  // bits 0-28 key lamps, 29 OVER, 30 DATA
};
