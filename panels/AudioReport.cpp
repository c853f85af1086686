#include "panels/AudioReport.h"

#include "panels/AudioKeys.h"

namespace {
// Changes and status: bytes 2 to 5 key groups 0 to 3, byte 6 channel fader
// bits (changes) or 6 to 13 their positions (status), byte 7 bit 0 the master
// (changes) or 14 its position (status). The state block adds the lamp bits
// of the groups in bytes 15 to 18.
constexpr int kKeyByte = 2;
constexpr int kChannelChangeByte = 6;
constexpr int kMasterChangeByte = 7;
constexpr int kFaderStatusByte = 6;
constexpr int kLampStateByte = 15;
constexpr int kGroups = 4;
}  // namespace

int AudioKeyAt(int group, int bit) {
    for (int k = 0; k < kAudioKeyCount; ++k)
        if (kAudioKeys[k].group == group && kAudioKeys[k].bit == bit) return k;
    return -1;
}

int AudioLedOfKey(int key) { return kAudioKeys[key].group * 8 + kAudioKeys[key].bit; }

bool AudioLampInState(const PanelStatus& state, int key) {
    return (state.bytes[kLampStateByte + kAudioKeys[key].group] >> kAudioKeys[key].bit) & 1u;
}

int AudioFaderInStatus(const PanelStatus& status, int fader) { return status.bytes[kFaderStatusByte + fader]; }

bool AudioPairIsEmpty(const PanelChanges& changes, const PanelStatus& status) {
    for (std::uint8_t b : changes.bytes)
        if (b) return false;
    for (std::uint8_t b : status.bytes)
        if (b) return false;
    return true;
}

std::vector<AudioAction> DecodeAudioKeys(const PanelChanges& changes, const PanelStatus& status) {
    std::vector<AudioAction> actions;
    for (int g = 0; g < kGroups; ++g) {
        const std::uint8_t changed = changes.bytes[kKeyByte + g];
        const std::uint8_t down = status.bytes[kKeyByte + g];
        for (int bit = 0; changed && bit < 8; ++bit) {
            if (!(changed & (1u << bit))) continue;
            const int key = AudioKeyAt(g, bit);
            if (key < 0) continue;
            actions.push_back({(down & (1u << bit)) ? AudioAction::KeyDown : AudioAction::KeyUp, key, 0});
        }
    }
    return actions;
}

std::vector<AudioAction> DecodeAudioFaders(const PanelChanges& changes, const PanelStatus& status) {
    std::vector<AudioAction> actions;
    const std::uint8_t channels = changes.bytes[kChannelChangeByte];
    for (int i = 0; i < kAudioChannelCount; ++i)
        if (channels & (1u << i)) actions.push_back({AudioAction::FaderPos, i, AudioFaderInStatus(status, i)});
    if (changes.bytes[kMasterChangeByte] & 1u) {
        const int master = AudioFaderInStatus(status, kAudioMasterFader);
        actions.push_back({AudioAction::FaderPos, kAudioMasterFader, master});
        actions.push_back({AudioAction::Over, kAudioLedOver, AudioOverLit(master) ? 1 : 0});
        actions.push_back({AudioAction::Data, kAudioLedData, AudioDataLit(master) ? 1 : 0});
    }
    return actions;
}

std::vector<AudioAction> DecodeAudioReport(const PanelChanges& changes, const PanelStatus& status) {
    std::vector<AudioAction> actions = DecodeAudioKeys(changes, status);
    for (const AudioAction& a : DecodeAudioFaders(changes, status)) actions.push_back(a);
    return actions;
}

std::vector<AudioAction> AudioFaderSync(const PanelStatus& status) {
    PanelChanges all{};
    all.bytes[kChannelChangeByte] = 0xFF;
    all.bytes[kMasterChangeByte] = 0xFF;
    return DecodeAudioFaders(all, status);
}

void PendingWordWait::Start(std::uint64_t nowMs) {
    m_running = true;
    m_startMs = nowMs;
    m_failures = 0;
}

PendingWordWait::Step PendingWordWait::Read(std::uint64_t nowMs, std::int32_t status, const PanelDeviceStatus& block) {
    if (!m_running) return Step::Done;
    Step step = Step::Wait;
    if (status >= 0 && ReadLe32(block.bytes, kStatusPendingOffset) == 0)
        step = Step::Done;
    else if ((status < 0 && ++m_failures >= m_limits.failures) || nowMs - m_startMs >= m_limits.timeMs)
        step = Step::GaveUp;
    if (step != Step::Wait) m_running = false;
    return step;
}
