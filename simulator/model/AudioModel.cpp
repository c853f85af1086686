#include "simulator/model/AudioModel.h"

#include "simulator/model/SimStatus.h"

const char* const AudioModel::kKeyNames[kKeyCount] = {
    "FUNC", "1_T",   "2_T",   "3_T",   "4_T",   "5_T",   "6_T",   "7_T",   "8_T",  "MUTE",
    "1_B",  "2_B",   "3_B",   "4_B",   "5_B",   "6_B",   "7_B",   "8_B",   "SOLO", "BANK",
    "MONO", "1/5_L", "2/6_L", "3/7_L", "4/8_L", "1/5_R", "2/6_R", "3/7_R", "4/8_R"};

namespace {
VersionSet DefaultVersions() {
    VersionSet v;
    v.driverMajor = 2;
    v.driverMinor = 311;
    v.driverBuild = 4;
    v.firmwareMajor = 2;
    v.firmwareBuild = 0x21A;
    return v;
}
}  // namespace

AudioModel::AudioModel() : PanelModel(1, DefaultVersions()) {
    // Where the faders happen to stand when the simulation starts.
    const int start[kFaderCount] = {0, 64, 128, 191, 255, 96, 160, 32, 180};
    for (int i = 0; i < kFaderCount; ++i) m_faders[i] = start[i];
}

void AudioModel::KeyPlace(int key, int& changeByte, int& statusByte, int& bit) const {
    changeByte = 2 + key / 8;
    statusByte = 2 + key / 8;
    bit = key % 8;
}

void AudioModel::FillStatus(PanelStatus& status) const {
    for (int g = 0; g < 4; ++g) {
        status.bytes[2 + g] = std::uint8_t(m_keys >> (8 * g));
        status.bytes[15 + g] = std::uint8_t(m_lamps >> (8 * g));
    }
    // Lamp bits of group 3 stop at bit 4; the OVER and DATA LEDs have their own byte.
    status.bytes[18] &= 0x1F;
    for (int i = 0; i < kFaderCount; ++i) status.bytes[6 + i] = std::uint8_t(m_faders[i]);
    status.bytes[19] = std::uint8_t(((m_lamps >> kLedOver) & 1u) | (((m_lamps >> kLedData) & 1u) << 1));
}

void AudioModel::ResetInputs() {
    m_lamps = 0;
    m_held.fill(false);
}

std::int32_t AudioModel::SetLed(std::int32_t led, std::uint8_t state) {
    if (led < 0 || led > kLedData || state > 1) return simstatus::kBadArgument;
    if (!Connected()) return simstatus::kNotConnected;
    if (state)
        m_lamps |= 1u << led;
    else
        m_lamps &= ~(1u << led);
    return simstatus::kOk;
}

void AudioModel::ReportFader(int fader, Events& out) const {
    PanelChanges changes{};
    if (fader == kMaster)
        changes.bytes[7] = 1;
    else
        changes.bytes[6] = std::uint8_t(1u << fader);
    EmitWithCurrent(changes, out);
}

std::int32_t AudioModel::SetFader(std::int32_t fader, std::int32_t held, std::uint8_t pos, Events& out) {
    if (fader < 0 || fader >= kFaderCount || (held != 0 && held != 1)) return simstatus::kBadArgument;
    if (!Connected()) return simstatus::kNotConnected;
    m_held[fader] = held == 1;
    if (held == 1 && m_faders[fader] != pos) {
        m_faders[fader] = pos;
        ReportFader(fader, out);
    }
    return simstatus::kOk;
}

std::int32_t AudioModel::GetState(PanelStatus& state) const {
    if (!Connected()) return simstatus::kNotConnected;
    state = PanelStatus{};
    FillStatus(state);
    return simstatus::kOk;
}

std::string AudioModel::MoveFader(int fader, int pos, Events& out) {
    if (fader < 0 || fader >= kFaderCount) return "no such fader";
    if (pos < 0 || pos > 255) return "fader position must be 0..255";
    if (!Connected()) return NotConnectedReason();
    if (m_held[fader]) return "fader is held by the program's motor command";
    if (m_faders[fader] == pos) return {};
    if (pos >= m_deadZones[fader].from && pos <= m_deadZones[fader].to) return {};
    m_faders[fader] = pos;
    ReportFader(fader, out);
    return {};
}

int AudioModel::Jitter(int fader, int delta, Events& out) {
    if (fader < 0 || fader >= kFaderCount || !Connected() || m_held[fader]) return 0;
    // At an end the wander turns round: noise at the stop still shows.
    const int pos = m_faders[fader] + delta;
    if (pos < 0 || pos > 255) delta = -delta;
    m_faders[fader] += delta;
    ReportFader(fader, out);
    return delta;
}

std::string AudioModel::Describe() const {
    std::string s = PanelModel::Describe() + " faders";
    for (int i = 0; i < kFaderCount; ++i) s += " " + std::to_string(m_faders[i]) + (m_held[i] ? "*" : "");
    // Lamps are never reported, so this is the only place to see what the
    // program switched.
    std::string lit;
    for (int led = 0; led <= kLedData; ++led) {
        if (!Lamp(led)) continue;
        if (!lit.empty()) lit += ",";
        lit += led < kKeyCount ? kKeyNames[led] : (led == kLedOver ? "OVER" : "DATA");
    }
    return s + " lamps " + (lit.empty() ? "none" : lit);
}
