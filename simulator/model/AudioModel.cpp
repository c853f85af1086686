#include "simulator/model/AudioModel.h"

#include <algorithm>
#include <cstdlib>

#include "simulator/model/SimStatus.h"

const char* const AudioModel::kKeyNames[kKeyCount] = {
    "FUNC", "1_T",   "2_T",   "3_T",   "4_T",   "5_T",   "6_T",   "7_T",   "8_T",  "MUTE",
    "1_B",  "2_B",   "3_B",   "4_B",   "5_B",   "6_B",   "7_B",   "8_B",   "SOLO", "BANK",
    "MONO", "1/5_L", "2/6_L", "3/7_L", "4/8_L", "1/5_R", "2/6_R", "3/7_R", "4/8_R"};

const char* const AudioModel::kMotorFaultNames[kMotorFaultCount] = {"off",       "stall",    "slow",
                                                                    "overshoot", "reversed", "crosstalk"};

namespace {
// A move of delta from pos that would pass an end stop goes the other way.
int TurnedAtStop(int pos, int delta) { return pos + delta < 0 || pos + delta > 255 ? -delta : delta; }

// Channel fader n drags n + 1; the master, beside channel 8, drags that one.
int Neighbour(int fader) { return fader == AudioModel::kMaster ? AudioModel::kMaster - 1 : fader + 1; }

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
    for (int i = 0; i < kFaderCount; ++i) m_knobs[i] = m_faders[i] = start[i];
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
    // Power gone: the motors stop where they are; their faults stay.
    for (Motor& m : m_motors) {
        m.running = false;
        m.way = 0;
    }
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

void AudioModel::Place(int fader, int pos, Events& out) {
    m_knobs[fader] = pos;
    if (m_faders[fader] == pos || (pos >= m_deadZones[fader].from && pos <= m_deadZones[fader].to)) return;
    m_faders[fader] = pos;
    ReportFader(fader, out);
}

std::int32_t AudioModel::SetFader(std::int32_t fader, std::int32_t held, std::uint8_t pos, std::int64_t now,
                                  Events& out) {
    if (fader < 0 || fader >= kFaderCount || (held != 0 && held != 1)) return simstatus::kBadArgument;
    if (!Connected()) return simstatus::kNotConnected;
    // Whatever comes next starts from where the fader stands now, not at the last Tick.
    RunMotor(fader, now, out);
    m_held[fader] = held == 1;
    Motor& m = m_motors[fader];
    if (held == 0) {
        StopMotor(fader, out);
    } else if (!m.running || m.target != pos) {
        // The same target again (a drag repeats it) lets a running motor carry on.
        m.target = pos;
        PlanMotion(fader, now, out);
    }
    return simstatus::kOk;
}

void AudioModel::PlanMotion(int fader, std::int64_t now, Events& out) {
    Motor& m = m_motors[fader];
    const int at = m_knobs[fader];
    const int way = m.target > at ? 1 : -1;
    int to = m.target;
    std::int64_t start = now;
    switch (m.fault) {
    case kMotorStall:
        to = at;
        break;
    case kMotorSlow:
        start = now + kSlowStartMs;
        break;
    case kMotorOvershoot:
        if (to != at) to = std::clamp(m.target + way * kOvershoot, 0, 255);
        break;
    case kMotorReversed:
        if (to != at) to = way > 0 ? 0 : 255;
        break;
    default:
        break;
    }
    if (to == at) {
        // Nowhere to go: a motion under way ends here.
        StopMotor(fader, out);
        return;
    }
    m.running = true;
    m.from = at;
    m.to = to;
    m.legStart = start;
    m.placedAt = start;
}

void AudioModel::RunMotor(int fader, std::int64_t now, Events& out) {
    Motor& m = m_motors[fader];
    while (m.running && now >= m.legStart) {
        const int way = m.to > m.from ? 1 : -1;
        const int length = std::abs(m.to - m.from);
        const std::int64_t end = m.legStart + (length + kMotorUnitsPerMs - 1) / kMotorUnitsPerMs;
        const std::int64_t at = std::min({now, end, m.placedAt + kMotorReportMs});
        const int gone = int(std::min<std::int64_t>(length, (at - m.legStart) * kMotorUnitsPerMs));
        if (gone > 0) m.way = way;
        Place(fader, m.from + way * gone, out);
        m.placedAt = at;
        if (at == end)
            EndLeg(fader, at, out);
        else if (at == now)
            return;
    }
}

void AudioModel::EndLeg(int fader, std::int64_t at, Events& out) {
    Motor& m = m_motors[fader];
    if (m.fault == kMotorOvershoot && m.to != m.target) {
        m.from = m.to;
        m.to = m.target;
        m.legStart = at + kOvershootStandMs;
        m.placedAt = m.legStart;
        return;
    }
    StopMotor(fader, out);
}

void AudioModel::StopMotor(int fader, Events& out) {
    Motor& m = m_motors[fader];
    if (!m.running) return;
    m.running = false;
    const int next = Neighbour(fader);
    if (m.fault == kMotorCrosstalk && !m_held[next])
        Place(next, m_knobs[next] + TurnedAtStop(m_knobs[next], m.way * kCrosstalkDrag), out);
    m.way = 0;
}

bool AudioModel::HasTimedWork() const {
    return PanelModel::HasTimedWork() ||
           std::any_of(m_motors.begin(), m_motors.end(), [](const Motor& m) { return m.running; });
}

void AudioModel::Tick(std::int64_t now, Events& out) {
    PanelModel::Tick(now, out);
    for (int i = 0; i < kFaderCount; ++i) {
        if (Connected())
            RunMotor(i, now, out);
        else
            m_motors[i].running = false;
    }
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
    Place(fader, pos, out);
    return {};
}

int AudioModel::Jitter(int fader, int delta, Events& out) {
    if (fader < 0 || fader >= kFaderCount || !Connected() || m_held[fader]) return 0;
    // At an end the wander turns round: noise at the stop still shows.
    delta = TurnedAtStop(m_faders[fader], delta);
    m_faders[fader] += delta;
    ReportFader(fader, out);
    return delta;
}

const char* AudioModel::LampName(int lamp) const {
    return lamp < kKeyCount ? kKeyNames[lamp] : (lamp == kLedOver ? "OVER" : "DATA");
}

std::string AudioModel::Describe() const {
    std::string s = PanelModel::Describe() + " faders";
    for (int i = 0; i < kFaderCount; ++i) s += " " + std::to_string(m_faders[i]) + (m_held[i] ? "*" : "");
    // Lamps are never reported, so this is the only place to see what lights.
    return s + LampsField();
}
