#include "simulator/model/JogShuttleModel.h"

#include <algorithm>
#include <cstring>

#include "simulator/model/SimStatus.h"

const char* const JogShuttleModel::kKeyNames[kKeyCount] = {"F1",   "F2",   "F3",     "F4",   "F5",    "F6",   "REVERSE",
                                                           "PLAY", "STOP", "REWIND", "FFWD", "SHIFT", "A",    "B",
                                                           "C",    "D",    "E",      "F",    "G",     "ENTER"};

const std::uint8_t JogShuttleModel::kDialModeBlocks[4][4] = {
    {0x00, 0x00, 0x00, 0x00}, {0x00, 0x10, 0x10, 0x01}, {0x00, 0x00, 0x20, 0x02}, {0x00, 0x00, 0x40, 0x03}};

namespace {
VersionSet DefaultVersions() {
    VersionSet v;
    v.driverMajor = 2;
    v.driverMinor = 410;
    v.driverBuild = 7;
    v.firmwareMajor = 1;
    v.firmwareBuild = 0x135;
    return v;
}
}  // namespace

JogShuttleModel::JogShuttleModel() : PanelModel(0, DefaultVersions()) {}

void JogShuttleModel::KeyPlace(int key, int& changeByte, int& statusByte, int& bit) const {
    changeByte = 2 + key / 8;
    statusByte = 3 + key / 8;
    bit = key % 8;
}

void JogShuttleModel::FillStatus(PanelStatus& status) const {
    status.bytes[0] = std::uint8_t(m_dialMode);
    if (m_dialMode == 2 || m_dialMode == 3) {
        const auto v = std::uint16_t(std::int16_t(m_position));
        status.bytes[1] = std::uint8_t(v & 0xFF);
        status.bytes[2] = std::uint8_t(v >> 8);
    }
    for (int g = 0; g < 3; ++g) status.bytes[3 + g] = std::uint8_t(m_keys >> (8 * g));
}

void JogShuttleModel::ResetInputs() {
    m_dialMode = 0;
    m_position = 0;
}

std::int32_t JogShuttleModel::SetDialMode(const std::uint8_t* block, Events& out) {
    if (!block) return simstatus::kBadArgument;
    int mode = -1;
    for (int m = 0; m < 4; ++m)
        if (std::memcmp(block, kDialModeBlocks[m], 4) == 0) mode = m;
    if (mode < 0) return simstatus::kBadArgument;
    if (!Connected()) return simstatus::kNotConnected;
    m_dialMode = mode;
    m_position = 0;
    PanelChanges changes{};
    changes.bytes[0] = 1;
    EmitWithCurrent(changes, out);
    return simstatus::kOk;
}

std::string JogShuttleModel::TurnDial(int steps, Events& out) {
    if (!Connected()) return NotConnectedReason();
    if (steps == 0 || m_dialMode == 0) return {};
    PanelChanges changes{};
    changes.bytes[1] = 1;
    if (m_dialMode == 1) {
        while (steps != 0) {  // a step count beyond int16 takes several reports
            const int chunk = std::clamp(steps, -32768, 32767);
            steps -= chunk;
            PanelStatus status{};
            FillStatus(status);
            const auto v = std::uint16_t(std::int16_t(chunk));
            status.bytes[1] = std::uint8_t(v & 0xFF);
            status.bytes[2] = std::uint8_t(v >> 8);
            Emit(changes, status, out);
        }
        return {};
    }
    int next = m_position + steps;
    if (m_dialMode == 2) {
        next = std::clamp(next, -kShuttleLimit, kShuttleLimit);
    } else {
        next %= kStepsPerTurn;
        if (next < 0) next += kStepsPerTurn;
    }
    if (next == m_position) return {};
    m_position = next;
    EmitWithCurrent(changes, out);
    return {};
}

std::string JogShuttleModel::Describe() const {
    static const char* const modes[] = {"off", "jog", "shuttle", "dmc"};
    return PanelModel::Describe() + " dial " + modes[m_dialMode] + " position " + std::to_string(m_position);
}
