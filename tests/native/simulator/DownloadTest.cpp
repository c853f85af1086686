// Firmware download over simulated time: progress, the end callback, result
// codes, and the new version after a power cycle.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>

#include "simulator/model/DownloadResult.h"
#include "simulator/model/SimStatus.h"
#include "tests/native/simulator/SimTestSupport.h"

namespace {

std::vector<std::uint8_t> Image(int panel, std::uint32_t size, int major = 5, int build = 0xABC) {
    RomHeader h;
    h.targetPanel = panel;
    h.firmwareMajor = major;
    h.firmwareBuild = build;
    return RomImage::Build(h, RomImage::SamplePayload(size, 11));
}

struct Progress {
    std::int32_t result, total, position, state;
};

Progress Status(SimFixture& f, int panel) {
    PanelDeviceStatus st{};
    EXPECT_EQ(f.sim.GetDeviceStatus(panel, &st), 0);
    return {ReadLe32(st.bytes, kStatusDownloadResultOffset), ReadLe32(st.bytes, kStatusDownloadTotalOffset),
            ReadLe32(st.bytes, kStatusDownloadPositionOffset), ReadLe32(st.bytes, 8)};
}

// Runs time on until the end callback; returns its value and the time it took.
std::int32_t RunToEnd(SimFixture& f, int panel, std::int64_t& elapsed, int maxMs = 60000) {
    for (elapsed = 0; elapsed < maxMs; elapsed += 10) {
        f.Advance(10);
        for (const SimEvent& e : f.Take())
            if (e.kind == SimEvent::kProgress && e.panel == panel) return e.value;
    }
    ADD_FAILURE() << "no end of download";
    return -1;
}

TEST(Download, GoodImageProgressesThenSucceedsAndShowsAfterPowerCycle) {
    SimFixture f;
    const auto image = Image(2, 16384);
    ASSERT_EQ(f.sim.StartDownload(2, &image), 0);
    Progress p = Status(f, 2);
    EXPECT_EQ(p.total, 16384);
    EXPECT_EQ(p.position, 0);
    std::int32_t last = 0;
    bool grew = false;
    for (int i = 0; i < 5; ++i) {
        f.Advance(100);
        p = Status(f, 2);
        EXPECT_GE(p.position, last);
        grew |= p.position > last;
        last = p.position;
        EXPECT_LE(p.position, p.total);
    }
    EXPECT_TRUE(grew);
    std::int64_t elapsed = 0;
    EXPECT_EQ(RunToEnd(f, 2, elapsed), download::kOk);
    p = Status(f, 2);
    EXPECT_EQ(p.result, 0);
    EXPECT_EQ(p.position, p.total);

    PanelVersionInfo info{};
    f.sim.GetVersionInfo(2, &info);
    EXPECT_NE(info.bytes[11], 5);  // not before the power cycle
    f.sim.PowerCycle(2);
    f.Advance(PanelModel::kPowerCycleMs);
    f.sim.GetVersionInfo(2, &info);
    EXPECT_EQ(info.bytes[11], 5);
    EXPECT_EQ(info.bytes[10] * 256 + info.bytes[9] * 16 + info.bytes[8], 0xABC);
}

TEST(Download, TakesTimeInProportionToTheImage) {
    SimFixture f;
    const auto image = Image(0, 32768);
    ASSERT_EQ(f.sim.StartDownload(0, &image), 0);
    std::int64_t elapsed = 0;
    RunToEnd(f, 0, elapsed);
    const std::int64_t expected = 32768 * 1000 / FirmwareTransfer::kBytesPerSecond + FirmwareTransfer::kSettleMs;
    EXPECT_GE(elapsed + 10, expected);
    EXPECT_LE(elapsed, expected + 10);
}

struct Failure {
    const char* what;
    std::function<std::vector<std::uint8_t>()> make;  // empty vector with missing = true: no file
    bool missing;
    std::int32_t code;
    bool fullTransfer;
};

class DownloadFailure : public ::testing::TestWithParam<Failure> {};

TEST_P(DownloadFailure, EndsWithItsCode) {
    const Failure& c = GetParam();
    SimFixture f;
    const auto image = c.make();
    ASSERT_EQ(f.sim.StartDownload(1, c.missing ? nullptr : &image), 0);
    std::int64_t elapsed = 0;
    EXPECT_EQ(RunToEnd(f, 1, elapsed), c.code) << c.what;
    const Progress p = Status(f, 1);
    EXPECT_EQ(p.result, c.code);
    if (c.fullTransfer) {
        EXPECT_EQ(p.position, p.total);
        EXPECT_GT(elapsed, 500);
    } else {
        EXPECT_LT(p.position, std::max(p.total, 1));
        if (p.total == 0) {
            EXPECT_LE(elapsed, FirmwareTransfer::kSettleMs);
        }
    }
    // The failed image changes nothing after a power cycle.
    PanelVersionInfo before{}, after{};
    f.sim.GetVersionInfo(1, &before);
    f.sim.PowerCycle(1);
    f.Advance(PanelModel::kPowerCycleMs);
    f.sim.GetVersionInfo(1, &after);
    EXPECT_EQ(std::memcmp(before.bytes, after.bytes, sizeof before.bytes), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, DownloadFailure,
                         ::testing::Values(Failure{"missing", [] { return std::vector<std::uint8_t>(); }, true,
                                                   download::kFileMissing, false},
                                           Failure{"not an image", [] { return std::vector<std::uint8_t>(100, 0x41); },
                                                   false, download::kBadHeader, false},
                                           Failure{"truncated",
                                                   [] {
                                                       auto v = Image(1, 20000);
                                                       v.resize(v.size() / 2);
                                                       return v;
                                                   },
                                                   false, download::kTruncated, false},
                                           Failure{"corrupt",
                                                   [] {
                                                       auto v = Image(1, 20000);
                                                       v[100] ^= 1;
                                                       return v;
                                                   },
                                                   false, download::kCorrupt, true},
                                           Failure{"wrong panel", [] { return Image(3, 20000); }, false,
                                                   download::kWrongPanel, true},
                                           Failure{"trailing",
                                                   [] {
                                                       auto v = Image(1, 20000);
                                                       v.push_back(1);
                                                       return v;
                                                   },
                                                   false, download::kTrailingData, true}));

TEST(Download, SecondStartWhileRunningIsRefused) {
    SimFixture f;
    const auto image = Image(0, 8192);
    ASSERT_EQ(f.sim.StartDownload(0, &image), 0);
    EXPECT_EQ(f.sim.StartDownload(0, &image), simstatus::kBusy);
    EXPECT_EQ(f.sim.FinishDownload(0), simstatus::kBusy);
}

TEST(Download, UnpluggedPanelRefusesToStart) {
    SimFixture f;
    f.sim.Plug(3, false);
    const auto image = Image(3, 8192);
    EXPECT_EQ(f.sim.StartDownload(3, &image), simstatus::kNotConnected);
}

TEST(Download, UnplugDuringDownloadEndsItWithItsCodeThenDisconnects) {
    SimFixture f;
    ASSERT_EQ(f.sim.SetFault(0, PanelSimulator::kUnplugInDownload, true), "");
    const auto image = Image(0, 16384);
    ASSERT_EQ(f.sim.StartDownload(0, &image), 0);
    std::vector<SimEvent> seen;
    for (int t = 0; t < 3000 && seen.size() < 2; t += 10) {
        f.Advance(10);
        for (const SimEvent& e : f.Take()) seen.push_back(e);
    }
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].kind, SimEvent::kProgress);
    EXPECT_EQ(seen[0].value, download::kUnplugged);
    EXPECT_EQ(seen[1].kind, SimEvent::kConnection);
    EXPECT_EQ(seen[1].state, 0);
    // Plugged in again, the panel shows the result of the broken download was not kept.
    f.sim.Plug(0, true);
    const Progress p = Status(f, 0);
    EXPECT_EQ(p.total, 0);
    // The fault fired once; the next download goes through.
    ASSERT_EQ(f.sim.StartDownload(0, &image), 0);
    std::int64_t elapsed = 0;
    EXPECT_EQ(RunToEnd(f, 0, elapsed), download::kOk);
}

TEST(Download, FinishClearsProgressButKeepsResult) {
    SimFixture f;
    std::vector<std::uint8_t> bad(50, 1);
    ASSERT_EQ(f.sim.StartDownload(2, &bad), 0);
    std::int64_t elapsed = 0;
    RunToEnd(f, 2, elapsed);
    EXPECT_EQ(f.sim.FinishDownload(2), 0);
    const Progress p = Status(f, 2);
    EXPECT_EQ(p.result, download::kBadHeader);
    EXPECT_EQ(p.total, 0);
    EXPECT_EQ(p.state, FirmwareTransfer::kIdle);
}

TEST(Download, PollingAloneMovesTimeOn) {
    // A caller that only polls GetDeviceStatus (no ticking thread) still sees the end.
    SimFixture f;
    const auto image = Image(1, 4096);
    ASSERT_EQ(f.sim.StartDownload(1, &image), 0);
    f.clock.Advance(10000);
    const Progress p = Status(f, 1);
    EXPECT_EQ(p.state, FirmwareTransfer::kEnded);
    bool ended = false;
    for (const SimEvent& e : f.Take()) ended |= e.kind == SimEvent::kProgress;
    EXPECT_TRUE(ended);
}

}  // namespace
