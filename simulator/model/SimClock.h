// Time source of the simulated panels. Everything that happens "over time"
// (firmware transfer, the busy word after a mode change, power cycles, script
// waits, report storms) reads this clock, so tests can drive it by hand.
#pragma once

#include <cstdint>

class SimClock {
public:
    virtual ~SimClock() = default;
    // Milliseconds since an arbitrary start; never goes backwards.
    virtual std::int64_t NowMs() const = 0;
};
