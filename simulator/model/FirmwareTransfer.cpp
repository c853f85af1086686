#include "FirmwareTransfer.h"

#include <algorithm>

#include "DownloadResult.h"

void FirmwareTransfer::Start(const RomCheck& check, bool fileMissing, std::int64_t now) {
    state_ = kRunning;
    start_ = now;
    header_ = check.header;
    if (fileMissing) {
        pendingResult_ = download::kFileMissing;
        total_ = 0;
        endPosition_ = 0;
    } else {
        pendingResult_ = check.result;
        total_ = check.headerValid ? std::int32_t(check.header.payloadLength) : 0;
        switch (check.result) {
        case download::kOk:
        case download::kCorrupt:
        case download::kTrailingData:
        case download::kWrongPanel:
            endPosition_ = total_;
            break;
        case download::kTruncated:
            endPosition_ = std::int32_t(check.payloadPresent);
            break;
        default:
            endPosition_ = 0;
            break;  // refused at the header
        }
    }
    end_ = start_ + kSettleMs + std::int64_t(endPosition_) * 1000 / kBytesPerSecond;
    frozenPosition_ = 0;
}

bool FirmwareTransfer::Advance(std::int64_t now) {
    if (state_ != kRunning || now < end_) return false;
    state_ = kEnded;
    result_ = pendingResult_;
    frozenPosition_ = endPosition_;
    return true;
}

void FirmwareTransfer::Abort(std::int32_t result, std::int64_t now) {
    if (state_ != kRunning) return;
    frozenPosition_ = Position(now);
    state_ = kEnded;
    result_ = result;
}

void FirmwareTransfer::Finish() {
    if (state_ == kRunning) return;  // a running transfer cannot be cut short this way
    state_ = kIdle;
    total_ = 0;
    frozenPosition_ = 0;
}

std::int32_t FirmwareTransfer::Position(std::int64_t now) const {
    if (state_ != kRunning) return frozenPosition_;
    const std::int64_t moved = std::max<std::int64_t>(0, now - start_ - kSettleMs / 2) * kBytesPerSecond / 1000;
    return std::int32_t(std::min<std::int64_t>(moved, endPosition_));
}
