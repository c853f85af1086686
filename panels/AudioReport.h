// Decoding of the Audio panel's reports and state block into the steps the
// window takes, and the bounded wait for the panel's pending word; apart from
// any window so that both can be checked directly.
#pragma once

#include <cstdint>
#include <vector>

#include "contract/PanelBlocks.h"

// One step of showing a report, in the order the window must apply them.
struct AudioAction {
    enum Kind {
        KeyDown,   // index: into kAudioKeys; the key shows pressed
        KeyUp,     // index: into kAudioKeys; the key shows released and its lamp toggles
        FaderPos,  // index: fader 0 to 8; value: position 0 to 255
        Over,      // value: 1 lit, 0 dark; the panel's LED follows
        Data,      // value: 1 lit, 0 dark; the panel's LED follows
    };
    Kind kind;
    int index;
    int value;

    bool operator==(const AudioAction& o) const { return kind == o.kind && index == o.index && value == o.value; }
};

// Keys, then faders with OVER and DATA.
std::vector<AudioAction> DecodeAudioReport(const PanelChanges& changes, const PanelStatus& status);
std::vector<AudioAction> DecodeAudioKeys(const PanelChanges& changes, const PanelStatus& status);
std::vector<AudioAction> DecodeAudioFaders(const PanelChanges& changes, const PanelStatus& status);
// All nine faders with OVER and DATA, whatever changed: the re-sync of a pair
// or of a state block (which has the report's fader bytes).
std::vector<AudioAction> AudioFaderSync(const PanelStatus& status);

// OVER lights from 200 up, DATA up to 56.
constexpr bool AudioOverLit(int master) { return master >= 200; }
constexpr bool AudioDataLit(int master) { return master <= 56; }

// The LED number the panel knows a kAudioKeys entry by.
int AudioLedOfKey(int key);
// The index into kAudioKeys of the key at (group, bit), or -1.
int AudioKeyAt(int group, int bit);
// The lamp of a kAudioKeys entry in a state block.
bool AudioLampInState(const PanelStatus& state, int key);
// Fader 0 to 8 in a report's status or a state block.
int AudioFaderInStatus(const PanelStatus& status, int fader);
// Before the panel's first report the sink holds an all-zero pair.
bool AudioPairIsEmpty(const PanelChanges& changes, const PanelStatus& status);

// After Normal the panel is busy until its pending word reads 0. A panel that
// stays busy, or whose status cannot be read, must not keep the window waiting
// for good: the wait ends after a time or a number of failed reads, and the
// window then goes on as if the word had read 0.
class PendingWordWait {
public:
    struct Limits {
        std::uint64_t timeMs;
        int failures;
    };
    static constexpr Limits kDefaultLimits = {2000, 10};
    enum class Step { Wait, Done, GaveUp };

    explicit PendingWordWait(Limits limits = kDefaultLimits) : m_limits(limits) {}
    void Start(std::uint64_t nowMs);
    void Stop() { m_running = false; }
    bool Running() const { return m_running; }
    // One read of the device status; anything but Wait ends the wait.
    Step Read(std::uint64_t nowMs, std::int32_t status, const PanelDeviceStatus& block);

private:
    Limits m_limits;
    bool m_running = false;
    std::uint64_t m_startMs = 0;
    int m_failures = 0;
};
