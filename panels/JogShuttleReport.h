// Decoding of the Jog & Shuttle panel's reports and its dial-mode command,
// apart from any window so that both can be checked directly.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "contract/PanelBlocks.h"

// Dial modes as the panel reports them; kJogDialModes gives each its radio
// button, lamp and dial-control mode.
enum JogDialMode : int { kDialOff = 0, kDialJog = 1, kDialShuttle = 2, kDialDmc = 3 };

// One step of showing a report, in the order the window must apply them.
struct JogReportAction {
    enum Kind {
        ShowDialMode,  // value: the reported mode, possibly outside 0 to 3
        RotateDial,    // value: signed movement or position
        SetKey,        // key: index into kJogKeys; value: 1 down, 0 up
        DialCommand,   // value: the dial mode that a pressed key A to D selects
    };
    Kind kind;
    int value;
    int key;

    bool operator==(const JogReportAction& o) const { return kind == o.kind && value == o.value && key == o.key; }
};

std::vector<JogReportAction> DecodeJogShuttleReport(const PanelChanges& changes, const PanelStatus& status);

// The SetDialMode parameter block of a dial mode 0 to 3 (all zero otherwise).
std::array<std::uint8_t, kDialModeBlockSize> JogDialModeBlock(int mode);

// The index into kJogKeys of the key at (group, bit), or -1.
int JogKeyAt(int group, int bit);
