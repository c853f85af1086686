#include "simulator/model/MediaBarModel.h"

#include <algorithm>

#include "simulator/model/SimStatus.h"

const char* const MediaBarModel::kKeyNames[kKeyCount] = {"A", "B"};

namespace {
VersionSet DefaultVersions() {
    VersionSet v;
    v.driverMajor = 3;
    v.driverMinor = 102;
    v.driverBuild = 1;
    v.firmwareMajor = 3;
    v.firmwareBuild = 0x104;
    return v;
}
}  // namespace

MediaBarModel::MediaBarModel() : PanelModel(3, DefaultVersions()) {}

void MediaBarModel::EncodeMovement(int value, std::uint8_t& first, std::uint8_t& second) {
    if (value >= 0) {
        first = std::uint8_t(value);
        second = 0;
    } else {
        first = std::uint8_t(256 + value);
        second = 255;
    }
}

int MediaBarModel::DecodeMovement(std::uint8_t first, std::uint8_t second) {
    return second == 255 ? int(first) - 256 : int(first) - int(second);
}

void MediaBarModel::KeyPlace(int key, int& changeByte, int& statusByte, int& bit) const {
    changeByte = 0;
    statusByte = 0;
    bit = key;
}

void MediaBarModel::FillStatus(PanelStatus& status) const {
    status.bytes[0] = std::uint8_t(m_keys);
    status.bytes[17] = m_leds;
}

std::int32_t MediaBarModel::SetLed(std::int32_t led, std::uint8_t state, Events& out) {
    return SwitchLed(m_leds, kKeyCount, 9, led, state, out);
}

std::string MediaBarModel::TurnKnob(int knob, int delta, Events& out) {
    if (knob < 0 || knob >= kKnobCount) return "no such knob";
    if (!Connected()) return NotConnectedReason();
    while (delta != 0) {
        const int step = std::clamp(delta, kMinStep, kMaxStep);
        delta -= step;
        PanelChanges changes{};
        changes.bytes[1 + knob] = 1;
        PanelStatus status{};
        FillStatus(status);
        EncodeMovement(step, status.bytes[1 + 2 * knob], status.bytes[2 + 2 * knob]);
        Emit(changes, status, out);
    }
    return {};
}
