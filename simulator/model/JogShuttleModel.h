// The Jog & Shuttle panel: 20 keys in three groups, the jog dial with its modes
// OFF, JOG (reports steps moved), SHUTTLE (absolute position, spring-limited to
// half a turn each way) and DMC (absolute position within one turn).
//
// Report: PanelChanges 0 dial mode changed, 1 dial value changed, 2-4 key
// groups 1-3; PanelStatus 0 dial mode, 1-2 dial value (int16 LE), 3-5 key
// groups 1-3. Keys A-D are keys like any other: the dial mode changes only by
// SetDialMode, which the program sends when it sees them.
#pragma once

#include "simulator/model/PanelModel.h"

class JogShuttleModel : public PanelModel {
public:
    static constexpr int kKeyCount = 20;
    static constexpr int kStepsPerTurn = 288;
    static constexpr int kShuttleLimit = kStepsPerTurn / 2;
    static const char* const kKeyNames[kKeyCount];
    // The four SetDialMode blocks' first bytes (bytes 4-59 are zero), by mode.
    static const std::uint8_t kDialModeBlocks[4][4];

    JogShuttleModel();

    int KeyCount() const override { return kKeyCount; }
    const char* KeyName(int key) const override { return kKeyNames[key]; }

    // SetDialMode with the 60-byte block; one report per accepted block.
    std::int32_t SetDialMode(const std::uint8_t* block, Events& out);
    // Turns the dial by steps (positive clockwise); nothing is reported while OFF.
    std::string TurnDial(int steps, Events& out);
    int DialMode() const { return m_dialMode; }
    int Position() const { return m_position; }
    std::string Describe() const override;

protected:
    void KeyPlace(int key, int& changeByte, int& statusByte, int& bit) const override;
    void FillStatus(PanelStatus& status) const override;
    void ResetInputs() override;

private:
    int m_dialMode = 0;
    int m_position = 0;
};
