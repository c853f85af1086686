// State of one simulated panel and the reports it makes. Plain C++: the device
// library wraps it, the tests drive it directly. Not thread-safe on its own;
// PanelSimulator serialises every call.
//
// Every hardware event (a key going down or up, a movement, a motor move, an
// LED switched) becomes exactly one report: a PanelChanges block with the
// flags of that event and a PanelStatus block with the panel's current values.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "simulator/model/FirmwareTransfer.h"
#include "simulator/model/SimEvent.h"
#include "simulator/model/VersionSet.h"

class PanelModel {
public:
    using Events = std::vector<SimEvent>;

    static constexpr std::int64_t kPendingMs = 60;      // busy after a mode change
    static constexpr std::int64_t kPowerCycleMs = 800;  // off time of a power cycle

    PanelModel(int panel, const VersionSet& versions);
    virtual ~PanelModel() = default;
    PanelModel(const PanelModel&) = delete;
    PanelModel& operator=(const PanelModel&) = delete;

    int Panel() const { return m_panel; }
    bool Connected() const { return m_connected; }
    int Mode() const { return m_mode; }

    // ---- the program's side (device and event interfaces)
    std::int32_t SetMode(std::int32_t mode, std::int64_t now);
    // Fills the whole block. Unplugged: the block is zeroed (pending reads 0, so
    // nobody waits forever on it) and the status is a failure.
    std::int32_t GetDeviceStatus(PanelDeviceStatus& status, std::int64_t now) const;
    // check is ignored when fileMissing.
    std::int32_t StartDownload(const RomCheck& check, bool fileMissing, std::int64_t now);
    std::int32_t FinishDownload();
    void GetVersionInfo(PanelVersionInfo& info) const;

    // ---- the hardware side (control channel)
    static int FindName(const char* const* names, int count, const std::string& name);
    virtual int KeyCount() const = 0;
    virtual const char* KeyName(int key) const = 0;
    int FindKey(const std::string& name) const;
    // Empty on success, else why not.
    std::string SetKey(int key, bool down, Events& out);
    bool KeyDown(int key) const { return (m_keys >> key) & 1u; }
    // Faults for the Panel Check: a stuck key never reports its release; a
    // chattering key bounces, reporting every press as down, up, down.
    void SetStuckKey(int key, bool on) { m_stuckKeys = on ? m_stuckKeys | (1u << key) : m_stuckKeys & ~(1u << key); }
    void SetChatterKey(int key, bool on) {
        m_chatterKeys = on ? m_chatterKeys | (1u << key) : m_chatterKeys & ~(1u << key);
    }
    std::string Plug(bool on, std::int64_t now, Events& out);
    std::string PowerCycle(std::int64_t now, Events& out);
    void ArmUnplugInDownload(bool on) { m_unplugInDownload = on; }
    VersionSet& Versions() { return m_versions; }
    const FirmwareTransfer& Transfer() const { return m_transfer; }

    // True while something is due to happen by itself (transfer, power cycle).
    virtual bool HasTimedWork() const { return m_transfer.Running() || m_replugAt.has_value(); }

    // Moves time on: transfer progress and end, the end of a power cycle.
    virtual void Tick(std::int64_t now, Events& out);

    // Lamps the program switches (none on the Jog & Shuttle here), numbered as
    // SetLed numbers them; a key's lamp has the key's number and name.
    virtual int LampCount() const { return 0; }
    virtual const char* LampName(int lamp) const { return KeyName(lamp); }
    // Faults for the Panel Check's lamp walk: a dead lamp never lights; two
    // shorted lamps both light when either is told to (one pair a panel, a new
    // pair replaces it, off takes it away). They bend what lights, never what
    // the panel holds as commanded: reports and GetState carry the commands.
    void SetDeadLamp(int lamp, bool on) { m_deadLamps = on ? m_deadLamps | (1u << lamp) : m_deadLamps & ~(1u << lamp); }
    void SetShortedLamps(int a, int b, bool on) { m_shortedLamps = on ? (1u << a) | (1u << b) : 0; }
    // What an engineer sees light, as bits by lamp number.
    std::uint32_t LitLamps() const;

    // Back to the state of a fresh panel: plugged in, power-on state, default versions kept.
    void PowerOn(Events& out);

    // One line about the panel, for the control channel's "status".
    virtual std::string Describe() const;

protected:
    // Where a key's change bit and state bit sit.
    virtual void KeyPlace(int key, int& changeByte, int& statusByte, int& bit) const = 0;
    // Current values; movement fields zero.
    virtual void FillStatus(PanelStatus& status) const = 0;
    // Panel-specific part of the power-on state.
    virtual void ResetInputs() = 0;
    // What the program last told the lamps, as bits by lamp number.
    virtual std::uint32_t CommandedLamps() const { return 0; }
    // " lamps <lit ones, comma-separated>" or " lamps none", for Describe.
    std::string LampsField() const;

    void Emit(const PanelChanges& changes, const PanelStatus& status, Events& out) const;
    void EmitWithCurrent(const PanelChanges& changes, Events& out) const;
    std::string NotConnectedReason() const;
    // Switches one of up to eight LEDs kept as bits in leds and reports a change
    // (bit set in the changes byte changeByte) only when the LED really changed.
    std::int32_t SwitchLed(std::uint8_t& leds, int ledCount, std::size_t changeByte, std::int32_t led,
                           std::uint8_t state, Events& out) const;

    std::uint32_t m_keys = 0;
    std::uint32_t m_stuckKeys = 0;
    std::uint32_t m_chatterKeys = 0;
    std::uint32_t m_deadLamps = 0;
    std::uint32_t m_shortedLamps = 0;  // the pair's two bits, or none

private:
    void Unplugged(std::int64_t now, Events& out);

    const int m_panel;
    bool m_connected = true;
    std::optional<std::int64_t> m_replugAt;  // power cycle in progress
    int m_mode = 0;
    std::int64_t m_pendingUntil = 0;
    VersionSet m_versions;
    std::optional<RomHeader> m_staged;  // firmware waiting for the next power-on
    FirmwareTransfer m_transfer;
    bool m_unplugInDownload = false;
};
