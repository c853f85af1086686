// The real clock used inside the device library.
#pragma once

#include <chrono>

#include "simulator/model/SimClock.h"

class SteadyClock : public SimClock {
public:
    SteadyClock() : m_start(std::chrono::steady_clock::now()) {}
    std::int64_t NowMs() const override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - m_start)
            .count();
    }

private:
    std::chrono::steady_clock::time_point m_start;
};
