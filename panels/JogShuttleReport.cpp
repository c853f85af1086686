#include "panels/JogShuttleReport.h"

#include "panels/JogShuttleKeys.h"

namespace {
// Changes: byte 0 dial mode, 1 dial value, 2 to 4 key groups 1 to 3.
// Status: byte 0 dial mode, 1 and 2 dial value, 3 to 5 key groups 1 to 3; the
// key bytes sit one later because the value takes two bytes.
constexpr int kGroupKeys[3] = {8, 8, 4};

int DialModeOfKey(unsigned id) {
    switch (id) {
    case Dev_A_Button:
        return kDialOff;
    case Dev_B_Button:
        return kDialJog;
    case Dev_C_Button:
        return kDialShuttle;
    case Dev_D_Button:
        return kDialDmc;
    default:
        return -1;
    }
}
}  // namespace

int JogKeyAt(int group, int bit) {
    for (int k = 0; k < kJogKeyCount; ++k)
        if (kJogKeys[k].group == group && kJogKeys[k].bit == bit) return k;
    return -1;
}

std::vector<JogReportAction> DecodeJogShuttleReport(const PanelChanges& changes, const PanelStatus& status) {
    std::vector<JogReportAction> actions;
    if (changes.bytes[0] != 0) actions.push_back({JogReportAction::ShowDialMode, status.bytes[0], -1});
    if (changes.bytes[1] != 0) actions.push_back({JogReportAction::RotateDial, ReadLe16(status.bytes, 1), -1});
    for (int g = 0; g < 3; ++g) {
        const std::uint8_t changed = changes.bytes[2 + g];
        const std::uint8_t down = status.bytes[3 + g];
        if (changed == 0) continue;
        for (int bit = 0; bit < kGroupKeys[g]; ++bit) {
            if (!(changed & (1u << bit))) continue;
            const int key = JogKeyAt(g + 1, bit);
            if (key < 0) continue;
            const bool pressed = (down & (1u << bit)) != 0;
            actions.push_back({JogReportAction::SetKey, pressed ? 1 : 0, key});
            const int mode = DialModeOfKey(kJogKeys[key].id);
            if (pressed && mode >= 0) actions.push_back({JogReportAction::DialCommand, mode, key});
        }
    }
    return actions;
}

std::array<std::uint8_t, kDialModeBlockSize> JogDialModeBlock(int mode) {
    std::array<std::uint8_t, kDialModeBlockSize> block{};
    switch (mode) {
    case kDialJog:
        block[1] = 0x10;
        block[2] = 0x10;
        block[3] = 0x01;
        break;
    case kDialShuttle:
        block[2] = 0x20;
        block[3] = 0x02;
        break;
    case kDialDmc:
        block[2] = 0x40;
        block[3] = 0x03;
        break;
    default:
        break;
    }
    return block;
}
