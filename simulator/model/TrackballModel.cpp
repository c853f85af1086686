#include "simulator/model/TrackballModel.h"

#include <algorithm>
#include <cstdlib>

#include "simulator/model/SimStatus.h"

const char* const TrackballModel::kKeyNames[kKeyCount] = {"SHIFT", "A", "B", "C", "D", "E", "F", "ENTER"};

namespace {
VersionSet DefaultVersions() {
    VersionSet v;
    v.driverMajor = 1;
    v.driverMinor = 925;
    v.driverBuild = 12;
    v.firmwareMajor = 1;
    v.firmwareBuild = 0x0F3;
    return v;
}
}  // namespace

TrackballModel::TrackballModel() : PanelModel(2, DefaultVersions()) {}

void TrackballModel::EncodeMovement(int value, std::uint8_t& first, std::uint8_t& second) {
    first = std::uint8_t(value > 0 ? value : 0);
    second = std::uint8_t(value < 0 ? -value : 0);
}

void TrackballModel::KeyPlace(int key, int& changeByte, int& statusByte, int& bit) const {
    changeByte = 0;
    statusByte = 0;
    bit = key;
}

void TrackballModel::FillStatus(PanelStatus& status) const {
    status.bytes[0] = std::uint8_t(m_keys);
    status.bytes[7] = m_leds;
}

std::int32_t TrackballModel::SetLed(std::int32_t led, std::uint8_t state, Events& out) {
    return SwitchLed(m_leds, kKeyCount, 3, led, state, out);
}

std::string TrackballModel::MoveBall(int dx, int dy, Events& out) {
    if (!Connected()) return NotConnectedReason();
    while (dx != 0 || dy != 0) {
        const int sx = std::clamp(dx, -kMaxStep, kMaxStep);
        const int sy = std::clamp(dy, -kMaxStep, kMaxStep);
        dx -= sx;
        dy -= sy;
        PanelChanges changes{};
        changes.bytes[1] = 1;
        PanelStatus status{};
        FillStatus(status);
        EncodeMovement(sx, status.bytes[1], status.bytes[2]);
        EncodeMovement(sy, status.bytes[3], status.bytes[4]);
        Emit(changes, status, out);
    }
    return {};
}

std::string TrackballModel::TurnRing(int delta, Events& out) {
    if (!Connected()) return NotConnectedReason();
    while (delta != 0) {
        const int step = std::clamp(delta, -kMaxStep, kMaxStep);
        delta -= step;
        PanelChanges changes{};
        changes.bytes[2] = 1;
        PanelStatus status{};
        FillStatus(status);
        EncodeMovement(step, status.bytes[5], status.bytes[6]);
        Emit(changes, status, out);
    }
    return {};
}
