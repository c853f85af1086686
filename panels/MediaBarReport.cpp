#include "panels/MediaBarReport.h"

#include <algorithm>

#include "panels/MediaBarKeys.h"

namespace {
// Changes: byte 0 key bits, 1 + k knob k turned, 9 LED bits.
// Status: byte 0 key bits, 1 + 2k and 2 + 2k knob k movement, 17 LED bits.
constexpr int kLedChangesByte = 9;
constexpr int kLedStatusByte = 17;
}  // namespace

int KnobMovement(std::uint8_t first, std::uint8_t second) {
    return second == 255 ? static_cast<int>(first) - 256 : static_cast<int>(first) - static_cast<int>(second);
}

std::vector<MediaBarReportAction> DecodeMediaBarReport(const PanelChanges& changes, const PanelStatus& status,
                                                       int knobCount) {
    std::vector<MediaBarReportAction> actions;
    const std::uint8_t leds = status.bytes[kLedStatusByte];
    for (int key = 0; key < kMediaBarKeyCount; ++key) {
        const MediaBarKeyLayout& layout = kMediaBarKeys[key];
        if (!(changes.bytes[0] & layout.keyMask)) continue;
        if (status.bytes[0] & layout.keyMask) {
            actions.push_back(MediaBarReportAction::Key(key, 1));
            continue;
        }
        actions.push_back(MediaBarReportAction::Key(key, 0));
        // A release asks the panel for the opposite of the LED state it reports.
        actions.push_back(MediaBarReportAction::Led(layout.led, (leds & layout.ledMask) ? 0 : 1));
    }
    for (int key = 0; key < kMediaBarKeyCount; ++key) {
        const unsigned mask = kMediaBarKeys[key].ledMask;
        if (changes.bytes[kLedChangesByte] & mask)
            actions.push_back(MediaBarReportAction::Lamp(key, (leds & mask) ? 1 : 0));
    }
    const int knobs = std::clamp(knobCount, 0, kMediaBarKnobCount);
    for (int k = 0; k < knobs; ++k) {
        if (changes.bytes[1 + k] == 0) continue;
        const int movement = KnobMovement(status.bytes[1 + 2 * k], status.bytes[2 + 2 * k]);
        if (movement != 0) actions.push_back(MediaBarReportAction::Knob(k, movement));
    }
    return actions;
}
