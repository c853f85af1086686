// The control channel, the program's calls and the delivery thread all meet in
// PanelSimulator. Run under ThreadSanitizer (-DVEL_SANITIZE=thread) this finds
// unguarded state; under any build it checks nothing is lost or invented.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "simulator/model/ControlProtocol.h"
#include "simulator/model/SteadyClock.h"

namespace {

TEST(Concurrency, ControlProgramAndDeliveryThreadsMeetSafely) {
    SteadyClock clock;
    PanelSimulator sim(clock);
    ControlProtocol protocol(sim, nullptr);
    std::atomic<bool> stop{false};
    std::atomic<int> delivered{0};

    std::thread delivery([&] {
        while (!stop.load()) {
            protocol.Tick();
            sim.Tick();
            for (const SimEvent& e : sim.TakeEvents()) delivered += e.kind == SimEvent::kReport;
            sim.WaitForEvents(1);
        }
        for (const SimEvent& e : sim.TakeEvents()) delivered += e.kind == SimEvent::kReport;
    });
    std::thread control([&] {
        for (int i = 0; i < 300; ++i) {
            EXPECT_EQ(protocol.Execute("knob 1 1"), "ok");
            protocol.Execute("status");
            protocol.Execute("bogus line");
        }
    });
    std::thread program([&] {
        PanelDeviceStatus st{};
        PanelStatus state{};
        for (int i = 0; i < 300; ++i) {
            sim.SetFader(i % 8, 1, std::uint8_t(i));
            sim.GetState(&state);
            sim.GetDeviceStatus(1, &st);
            sim.SetMode(1, i % 2);
            sim.SetFader(i % 8, 0, 0);
        }
    });
    control.join();
    program.join();
    for (int i = 0; i < 200 && delivered.load() < 300; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    stop = true;
    sim.Wake();
    delivery.join();
    // 300 knob turns, each one report, plus one per fader motor move that changed a position.
    EXPECT_GE(delivered.load(), 300);
}

}  // namespace
