// The owner of a panel's two interfaces: each reference goes back exactly once,
// the event interface always unregistered first, in the order the caller asks.
#include <gtest/gtest.h>

#include "contract/PanelIids.h"
#include "device/CDeviceEventSink.h"
#include "device/CPanelInterfaces.h"
#include "tests/support/FakeDeviceManager.h"

namespace {
using Log = std::vector<std::string>;

Log Since(const FakeLog& log, size_t mark) { return Log(log.calls.begin() + static_cast<long>(mark), log.calls.end()); }

TEST(PanelInterfaces, ReleasesEachReferenceOnceInTheOrderAsked) {
    struct Case {
        const char* name;
        void (*release)(CPanelInterfaces&);
        Log expected;
    };
    const Case cases[] = {
        {"device first",
         [](CPanelInterfaces& p) { p.Release(CPanelInterfaces::ReleaseOrder::DeviceFirst); },
         {"trackball.device.Release", "trackball.events.Unadvise", "trackball.events.Release"}},
        {"events first",
         [](CPanelInterfaces& p) { p.Release(CPanelInterfaces::ReleaseOrder::EventsFirst); },
         {"trackball.events.Unadvise", "trackball.events.Release", "trackball.device.Release"}},
        {"twice",
         [](CPanelInterfaces& p) {
             p.Release(CPanelInterfaces::ReleaseOrder::EventsFirst);
             p.Release(CPanelInterfaces::ReleaseOrder::DeviceFirst);
         },
         {"trackball.events.Unadvise", "trackball.events.Release", "trackball.device.Release"}},
        {"by going out of scope",
         [](CPanelInterfaces&) {},
         {"trackball.device.Release", "trackball.events.Unadvise", "trackball.events.Release"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeDeviceManager fake;
        CDeviceEventSink sink;
        size_t mark = 0;
        {
            CPanelInterfaces panel;
            ASSERT_EQ(panel.Acquire(fake, kPanelTrackball, sink), CPanelInterfaces::Acquired::Both);
            EXPECT_EQ(fake.Events(kPanelTrackball).sink, &sink);
            mark = fake.log.calls.size();
            c.release(panel);
        }
        EXPECT_EQ(Since(fake.log, mark), c.expected);
        EXPECT_EQ(fake.OutstandingRefs(), 0);
        EXPECT_EQ(fake.OverReleases(), 0);
        EXPECT_EQ(fake.Events(kPanelTrackball).sink, nullptr);
    }
}

TEST(PanelInterfaces, FailuresKeepNothingAndAcquiringAgainGivesTheOldOnesBack) {
    FakeDeviceManager fake;
    CDeviceEventSink sink;
    CPanelInterfaces panel;
    fake.FailEvents(kPanelAudio);
    EXPECT_EQ(panel.Acquire(fake, kPanelAudio, sink), CPanelInterfaces::Acquired::NoEvents);
    EXPECT_NE(panel.Device(), nullptr);
    EXPECT_EQ(panel.Events(), nullptr);
    fake.FailDevice(kPanelAudio);
    EXPECT_EQ(panel.Acquire(fake, kPanelAudio, sink), CPanelInterfaces::Acquired::NoDevice);
    EXPECT_EQ(panel.Device(), nullptr);
    EXPECT_EQ(fake.OutstandingRefs(), 0);
    EXPECT_EQ(fake.log.Count("audio.events.Advise"), 0u);
    EXPECT_EQ(fake.OverReleases(), 0);
}

TEST(TqPtr, MovedOwnershipReleasesOnce) {
    FakeDeviceManager fake;
    void* object = nullptr;
    ASSERT_GE(fake.GetInterface(kDeviceIids[kPanelJogShuttle], &object), 0);
    {
        TqPtr<ITqPanelDevice> first(static_cast<ITqPanelDevice*>(object));
        TqPtr<ITqPanelDevice> second(std::move(first));
        EXPECT_FALSE(first);
        TqPtr<ITqPanelDevice> third;
        third = std::move(second);
        EXPECT_TRUE(third);
    }
    EXPECT_EQ(fake.log.Count("jog.device.Release"), 1u);
    EXPECT_EQ(fake.OutstandingRefs(), 0);
    EXPECT_EQ(fake.OverReleases(), 0);
}
}  // namespace
