// A clock that only moves when told to: deterministic tests of timed behaviour.
#pragma once

#include <atomic>

#include "simulator/model/SimClock.h"

class ManualClock : public SimClock {
public:
    explicit ManualClock(std::int64_t start = 0) : m_now(start) {}
    std::int64_t NowMs() const override { return m_now.load(); }
    void Advance(std::int64_t ms) { m_now += ms; }
    void Set(std::int64_t ms) { m_now = ms; }

private:
    std::atomic<std::int64_t> m_now;
};
