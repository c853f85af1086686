// A clock that only moves when told to: deterministic tests of timed behaviour.
#pragma once

#include <atomic>

#include "SimClock.h"

class ManualClock : public SimClock {
public:
    explicit ManualClock(std::int64_t start = 0) : now_(start) {}
    std::int64_t NowMs() const override { return now_.load(); }
    void Advance(std::int64_t ms) { now_ += ms; }
    void Set(std::int64_t ms) { now_ = ms; }

private:
    std::atomic<std::int64_t> now_;
};
