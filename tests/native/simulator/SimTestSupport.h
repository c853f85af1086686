// Helpers shared by the simulator tests: a simulator on a hand-driven clock and
// the reports it produced.
#pragma once

#include <vector>

#include "simulator/model/ManualClock.h"
#include "simulator/model/PanelSimulator.h"

struct SimFixture {
    ManualClock clock;
    PanelSimulator sim{clock};

    std::vector<SimEvent> Take() { return sim.TakeEvents(); }
    std::vector<SimEvent> Reports(int panel) {
        std::vector<SimEvent> out;
        for (const SimEvent& e : sim.TakeEvents())
            if (e.kind == SimEvent::kReport && e.panel == panel) out.push_back(e);
        return out;
    }
    void Advance(std::int64_t ms) {
        clock.Advance(ms);
        sim.Tick();
    }
};

inline int Changed(const SimEvent& e) {
    int n = 0;
    for (auto b : e.changes.bytes) n += b != 0;
    return n;
}
