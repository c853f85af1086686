// The real clock used inside the device library.
#pragma once

#include <chrono>

#include "SimClock.h"

class SteadyClock : public SimClock {
public:
    SteadyClock() : start_(std::chrono::steady_clock::now()) {}
    std::int64_t NowMs() const override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_).count();
    }

private:
    std::chrono::steady_clock::time_point start_;
};
