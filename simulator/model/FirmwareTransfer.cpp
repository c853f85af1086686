#include "simulator/model/FirmwareTransfer.h"

#include <algorithm>

#include "simulator/model/DownloadResult.h"

void FirmwareTransfer::Start(const RomCheck& check, bool fileMissing, std::int64_t now) {
    m_state = kRunning;
    m_start = now;
    m_header = check.header;
    if (fileMissing) {
        m_pendingResult = download::kFileMissing;
        m_total = 0;
        m_endPosition = 0;
    } else {
        m_pendingResult = check.result;
        m_total = check.headerValid ? std::int32_t(check.header.payloadLength) : 0;
        switch (check.result) {
        case download::kOk:
        case download::kCorrupt:
        case download::kTrailingData:
        case download::kWrongPanel:
            m_endPosition = m_total;
            break;
        case download::kTruncated:
            m_endPosition = std::int32_t(check.payloadPresent);
            break;
        default:
            m_endPosition = 0;
            break;  // refused at the header
        }
    }
    m_end = m_start + kSettleMs + std::int64_t(m_endPosition) * 1000 / kBytesPerSecond;
    m_frozenPosition = 0;
}

bool FirmwareTransfer::Advance(std::int64_t now) {
    if (m_state != kRunning || now < m_end) return false;
    m_state = kEnded;
    m_result = m_pendingResult;
    m_frozenPosition = m_endPosition;
    return true;
}

void FirmwareTransfer::Abort(std::int32_t result, std::int64_t now) {
    if (m_state != kRunning) return;
    m_frozenPosition = Position(now);
    m_state = kEnded;
    m_result = result;
}

void FirmwareTransfer::Finish() {
    if (m_state == kRunning) return;  // a running transfer cannot be cut short this way
    m_state = kIdle;
    m_total = 0;
    m_frozenPosition = 0;
}

std::int32_t FirmwareTransfer::Position(std::int64_t now) const {
    if (m_state != kRunning) return m_frozenPosition;
    const std::int64_t moved = std::max<std::int64_t>(0, now - m_start - kSettleMs / 2) * kBytesPerSecond / 1000;
    return std::int32_t(std::min<std::int64_t>(moved, m_endPosition));
}
