// One panel's firmware transfer over simulated time. The image is checked when
// the transfer starts (the whole file is at hand), but each failure shows when
// the panel would find it: a missing file or a bad header at once, a truncated
// image when its data runs out, everything else (corrupt, trailing data, wrong
// panel) after the whole payload went over.
#pragma once

#include <cstdint>

#include "simulator/model/RomImage.h"

class FirmwareTransfer {
public:
    static constexpr std::int64_t kBytesPerSecond = 8192;  // a sample image takes a few seconds: the bar visibly moves
    static constexpr std::int64_t kSettleMs = 150;         // header handshake, and verification at the end

    enum State { kIdle, kRunning, kEnded };

    // Starts a transfer of an already checked file (fileMissing: nothing to check).
    void Start(const RomCheck& check, bool fileMissing, std::int64_t now);

    // Moves time on; true exactly once, when the transfer ends at or before now.
    bool Advance(std::int64_t now);

    // Ends a running transfer at once with the given result (e.g. panel unplugged).
    void Abort(std::int32_t result, std::int64_t now);

    // The program acknowledged the end: progress fields go back to zero, the result stays.
    void Finish();

    State GetState() const { return m_state; }
    bool Running() const { return m_state == kRunning; }
    std::int32_t Result() const { return m_result; }
    std::int32_t Total() const { return m_total; }
    std::int32_t Position(std::int64_t now) const;
    // Header of the image that went through successfully (valid only after a 0 result).
    const RomHeader& Header() const { return m_header; }

private:
    State m_state = kIdle;
    std::int32_t m_result = 0;
    std::int32_t m_pendingResult = 0;
    std::int32_t m_total = 0;
    std::int32_t m_endPosition = 0;
    std::int32_t m_frozenPosition = 0;
    std::int64_t m_start = 0;
    std::int64_t m_end = 0;
    RomHeader m_header;
};
