#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "contract/PanelIids.h"
#include "device/CDeviceEventSink.h"
#include "device/PanelMessages.h"
#include "framework/CWnd.h"

namespace {

// A message-only window that keeps every message the sink posts to it.
class Receiver : public CWnd {
public:
    struct Posted {
        UINT msg;
        WPARAM wp;
        LPARAM lp;
    };
    Receiver() { CreateEx(0, nullptr, L"", 0, RECT{0, 0, 0, 0}, nullptr, 0); }
    std::vector<Posted> Drain() {
        MSG m;
        while (::PeekMessageW(&m, m_hWnd, 0, 0, PM_REMOVE)) ::DispatchMessageW(&m);
        return std::move(posted);
    }
    std::vector<Posted> posted;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg >= WM_PANEL_CONNECTION && msg <= WM_PANEL_PROGRESS) {
            posted.push_back({msg, wp, lp});
            return 0;
        }
        return CWnd::WindowProc(msg, wp, lp);
    }
};

PanelChanges Changes(std::uint8_t fill) {
    PanelChanges c;
    std::fill(std::begin(c.bytes), std::end(c.bytes), fill);
    return c;
}
PanelStatus Status(std::uint8_t fill) {
    PanelStatus s;
    std::fill(std::begin(s.bytes), std::end(s.bytes), fill);
    return s;
}

using CopyOut = void (CDeviceEventSink::*)(PanelChanges*, PanelStatus*) const;
constexpr CopyOut kCopyOut[kPanelCount] = {&CDeviceEventSink::GetJogShuttleBlocks, &CDeviceEventSink::GetAudioBlocks,
                                           &CDeviceEventSink::GetTrackballBlocks, &CDeviceEventSink::GetMediaBarBlocks};

class SinkTest : public ::testing::Test {
protected:
    void SetUp() override { sink.SetOwner(receiver); }
    Receiver receiver;
    CDeviceEventSink sink;
};

TEST_F(SinkTest, ReportLandsInItsPanelsPairOnlyAndPostsOnce) {
    for (int panel = 0; panel < kPanelCount; ++panel) {
        SCOPED_TRACE(panel);
        CDeviceEventSink fresh;
        fresh.SetOwner(receiver);
        const PanelChanges c = Changes(static_cast<std::uint8_t>(0x10 + panel));
        const PanelStatus s = Status(static_cast<std::uint8_t>(0x20 + panel));
        EXPECT_NE(0, fresh.OnPanelReport(kEventIids[panel], &c, &s));
        for (int other = 0; other < kPanelCount; ++other) {
            PanelChanges oc = Changes(0xEE);
            PanelStatus os = Status(0xEE);
            (fresh.*kCopyOut[other])(&oc, &os);
            const std::uint8_t wantC = other == panel ? c.bytes[0] : 0;
            const std::uint8_t wantS = other == panel ? s.bytes[0] : 0;
            EXPECT_EQ(wantC, oc.bytes[27]) << "changes of panel " << other;
            EXPECT_EQ(wantS, os.bytes[31]) << "status of panel " << other;
        }
        const auto posted = receiver.Drain();
        ASSERT_EQ(1u, posted.size());
        EXPECT_EQ(WM_PANEL_REPORT, posted[0].msg);
        EXPECT_EQ(0u, posted[0].wp);
        EXPECT_EQ(0, posted[0].lp);
    }
}

TEST_F(SinkTest, CopyOutBeforeAnyReportIsZero) {
    for (int panel = 0; panel < kPanelCount; ++panel) {
        PanelChanges c = Changes(0xAA);
        PanelStatus s = Status(0xAA);
        (sink.*kCopyOut[panel])(&c, &s);
        for (auto b : c.bytes) EXPECT_EQ(0, b);
        for (auto b : s.bytes) EXPECT_EQ(0, b);
    }
}

// Reports that arrive before the window gets round to them are all kept, in
// order, under one message; the newest stays readable after the take.
TEST_F(SinkTest, ReportsWaitInOrderUnderOneMessageAndAreTakenOnce) {
    for (std::uint8_t fill : {1, 2, 3}) {
        const PanelChanges c = Changes(fill);
        const PanelStatus s = Status(static_cast<std::uint8_t>(fill + 10));
        EXPECT_NE(0, sink.OnPanelReport(&IID_TqAudioEvents, &c, &s));
    }
    EXPECT_EQ(1u, receiver.Drain().size());
    std::vector<PanelReport> taken;
    sink.TakeReports(kPanelAudio, taken);
    ASSERT_EQ(3u, taken.size());
    for (std::uint8_t i = 0; i < 3; ++i) {
        EXPECT_EQ(i + 1, taken[i].changes.bytes[27]);
        EXPECT_EQ(i + 11, taken[i].status.bytes[31]);
    }
    sink.TakeReports(kPanelAudio, taken);
    EXPECT_TRUE(taken.empty());
    PanelChanges c;
    PanelStatus s;
    sink.GetAudioBlocks(&c, &s);
    EXPECT_EQ(3, c.bytes[0]);
    EXPECT_EQ(13, s.bytes[0]);
    // Once taken, the next report is announced again.
    sink.OnPanelReport(&IID_TqAudioEvents, &c, &s);
    EXPECT_EQ(1u, receiver.Drain().size());
    // Other panels' queues were never touched.
    sink.TakeReports(kPanelJogShuttle, taken);
    EXPECT_TRUE(taken.empty());
}

TEST_F(SinkTest, UnknownOrDeviceIidReportIsDroppedWithoutPost) {
    const GUID unknown = {0x12345678, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
    const PanelChanges c = Changes(9);
    const PanelStatus s = Status(9);
    // A device identifier is not an event identifier either.
    for (const GUID* iid : {&unknown, kDeviceIids[0], static_cast<const GUID*>(nullptr)}) {
        EXPECT_EQ(0, sink.OnPanelReport(iid, &c, &s));
    }
    EXPECT_TRUE(receiver.Drain().empty());
    for (int panel = 0; panel < kPanelCount; ++panel) {
        PanelChanges oc;
        PanelStatus os;
        (sink.*kCopyOut[panel])(&oc, &os);
        EXPECT_EQ(0, oc.bytes[0]);
    }
}

TEST_F(SinkTest, IidMatchComparesAllSixteenBytes) {
    GUID almost = IID_TqJogShuttleEvents;
    almost.Data4[7] ^= 1;
    const PanelChanges c = Changes(5);
    const PanelStatus s = Status(5);
    sink.OnPanelReport(&almost, &c, &s);
    EXPECT_TRUE(receiver.Drain().empty());
}

TEST_F(SinkTest, ConnectionPostsPanelAndStateUnchanged) {
    struct Case {
        const GUID* iid;
        std::int32_t state;
        WPARAM wp;
    };
    const Case cases[] = {
        {&IID_TqJogShuttleEvents, 1, 0}, {&IID_TqAudioEvents, 0, 1},     {&IID_TqTrackballEvents, 2, 2},
        {&IID_TqMediaBarEvents, 0, 3},   {&IID_TqMediaBarEvents, -7, 3},
    };
    for (const auto& k : cases) {
        EXPECT_NE(0, sink.OnPanelConnection(k.iid, k.state));
        const auto posted = receiver.Drain();
        ASSERT_EQ(1u, posted.size());
        EXPECT_EQ(WM_PANEL_CONNECTION, posted[0].msg);
        EXPECT_EQ(k.wp, posted[0].wp);
        EXPECT_EQ(k.state, static_cast<std::int32_t>(posted[0].lp));
    }
}

// Whatever the identifier's address, a callback that names no panel must not
// pass for one; a null identifier once passed for panel 0.
TEST_F(SinkTest, ConnectionNamingNoPanelIsPostedOutsidePanelRange) {
    const GUID unknown = {0xDEADBEEF, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
    for (const GUID* iid : {static_cast<const GUID*>(nullptr), &unknown, kDeviceIids[kPanelAudio]}) {
        SCOPED_TRACE(iid ? "named" : "null");
        sink.OnPanelConnection(iid, 0);
        const auto posted = receiver.Drain();
        ASSERT_EQ(1u, posted.size());
        EXPECT_EQ(kNoPanelIndex, posted[0].wp);
    }
}

TEST_F(SinkTest, ProgressPostsWithoutArguments) {
    sink.OnPanelProgress(123, -5);
    const auto posted = receiver.Drain();
    ASSERT_EQ(1u, posted.size());
    EXPECT_EQ(WM_PANEL_PROGRESS, posted[0].msg);
    EXPECT_EQ(0u, posted[0].wp);
    EXPECT_EQ(0, posted[0].lp);
}

TEST(SinkWithoutOwner, PostsNothingAndReturnsZero) {
    CDeviceEventSink sink;
    const PanelChanges c{};
    const PanelStatus s{};
    EXPECT_EQ(0, sink.OnPanelReport(&IID_TqAudioEvents, &c, &s));
    EXPECT_EQ(0, sink.OnPanelConnection(&IID_TqAudioEvents, 1));
    EXPECT_EQ(0, sink.OnPanelProgress(0, 0));
    MSG m;
    EXPECT_FALSE(::PeekMessageW(&m, reinterpret_cast<HWND>(-1), 0, 0, PM_NOREMOVE));
    // The report is still kept, and the first report after binding is announced.
    Receiver receiver;
    sink.SetOwner(receiver);
    EXPECT_NE(0, sink.OnPanelReport(&IID_TqAudioEvents, &c, &s));
    EXPECT_EQ(1u, receiver.Drain().size());
    std::vector<PanelReport> taken;
    sink.TakeReports(kPanelAudio, taken);
    EXPECT_EQ(2u, taken.size());
}

// A copy-in on a library thread and copy-outs on the window thread never mix two
// reports: every pair read back is all one fill value. (No owner: a post storm
// would only measure the message queue.)
TEST(SinkConcurrency, CopyInAndCopyOutNeverTear) {
    CDeviceEventSink sink;
    std::atomic<bool> stop{false};
    std::thread library([&] {
        for (std::uint8_t i = 0; !stop; ++i) {
            const PanelChanges c = Changes(i);
            const PanelStatus s = Status(i);
            sink.OnPanelReport(&IID_TqTrackballEvents, &c, &s);
        }
    });
    int torn = 0;
    for (int n = 0; n < 20000; ++n) {
        PanelChanges c;
        PanelStatus s;
        sink.GetTrackballBlocks(&c, &s);
        for (auto b : c.bytes) torn += b != c.bytes[0];
        for (auto b : s.bytes) torn += b != c.bytes[0];
    }
    stop = true;
    library.join();
    EXPECT_EQ(0, torn);
}

}  // namespace
