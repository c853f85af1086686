#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

#include "device/PanelReportQueue.h"

namespace {

// A report that carries its sequence number in both blocks, so a torn or
// repeated report shows.
PanelReport Numbered(std::uint32_t n) {
    PanelReport r{};
    std::memcpy(r.changes.bytes, &n, sizeof n);
    std::memcpy(r.status.bytes + 28, &n, sizeof n);
    r.status.bytes[0] = static_cast<std::uint8_t>(n);
    return r;
}

std::uint32_t NumberOf(const PanelReport& r) {
    std::uint32_t fromChanges = 0, fromStatus = 0;
    std::memcpy(&fromChanges, r.changes.bytes, sizeof fromChanges);
    std::memcpy(&fromStatus, r.status.bytes + 28, sizeof fromStatus);
    EXPECT_EQ(fromChanges, fromStatus) << "report torn between its two blocks";
    return fromChanges;
}

std::vector<std::uint32_t> Numbers(const std::vector<PanelReport>& reports) {
    std::vector<std::uint32_t> out;
    for (const PanelReport& r : reports) out.push_back(NumberOf(r));
    return out;
}

TEST(PanelReportQueue, OneNoticePerBatchAndEveryReportOnceInOrder) {
    PanelReportQueue queue(8);
    std::vector<PanelReport> batch;
    // Per step: how many reports arrive, and which of them ask for a notice.
    struct Step {
        int pushes;
        std::vector<bool> notices;
    };
    const Step steps[] = {{1, {true}}, {3, {true, false, false}}, {0, {}}, {2, {true, false}}};
    std::uint32_t next = 1;
    for (const Step& step : steps) {
        std::vector<std::uint32_t> pushed;
        for (int i = 0; i < step.pushes; ++i) {
            EXPECT_EQ(step.notices[static_cast<size_t>(i)], queue.Push(Numbered(next))) << "report " << next;
            pushed.push_back(next++);
        }
        queue.Take(batch);
        EXPECT_EQ(pushed, Numbers(batch));
        queue.Take(batch);
        EXPECT_TRUE(batch.empty()) << "a report was handed out twice";
    }
    EXPECT_EQ(0u, queue.Dropped());
}

TEST(PanelReportQueue, FullQueueGivesWayOldestFirstAndKeepsTheNewest) {
    struct Case {
        std::size_t capacity;
        std::uint32_t pushes;
        std::vector<std::uint32_t> kept;
        std::uint64_t dropped;
    };
    const Case cases[] = {
        {4, 4, {1, 2, 3, 4}, 0},
        {4, 5, {2, 3, 4, 5}, 1},
        {4, 11, {8, 9, 10, 11}, 7},
        {1, 3, {3}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "capacity " << c.capacity << ", " << c.pushes << " pushes");
        PanelReportQueue queue(c.capacity);
        for (std::uint32_t n = 1; n <= c.pushes; ++n) queue.Push(Numbered(n));
        std::vector<PanelReport> batch;
        queue.Take(batch);
        EXPECT_EQ(c.kept, Numbers(batch));
        EXPECT_EQ(c.dropped, queue.Dropped());
        EXPECT_EQ(c.pushes, NumberOf(queue.Latest()));
        // After the overflow the ring starts over cleanly.
        queue.Push(Numbered(100));
        queue.Take(batch);
        EXPECT_EQ(std::vector<std::uint32_t>{100}, Numbers(batch));
    }
}

TEST(PanelReportQueue, LatestSurvivesTheTakeAndIsZeroBeforeAnyReport) {
    PanelReportQueue queue;
    const PanelReport before = queue.Latest();
    for (auto b : before.changes.bytes) EXPECT_EQ(0, b);
    for (auto b : before.status.bytes) EXPECT_EQ(0, b);
    queue.Push(Numbered(7));
    std::vector<PanelReport> batch;
    queue.Take(batch);
    EXPECT_EQ(7u, NumberOf(queue.Latest()));
}

TEST(PanelReportQueue, LostNoticeIsAskedForAgain) {
    PanelReportQueue queue;
    EXPECT_TRUE(queue.Push(Numbered(1)));
    EXPECT_FALSE(queue.Push(Numbered(2)));
    queue.NoticeLost();
    EXPECT_TRUE(queue.Push(Numbered(3)));
    std::vector<PanelReport> batch;
    queue.Take(batch);
    EXPECT_EQ((std::vector<std::uint32_t>{1, 2, 3}), Numbers(batch));
}

// The library's thread pushes while the window thread takes: every report comes
// out exactly once, in order, whole, and a notice is pending whenever reports wait.
TEST(PanelReportQueue, ConcurrentPushAndTakeLoseAndRepeatNothing) {
    constexpr std::uint32_t kReports = 200000;
    PanelReportQueue queue(kReports);  // large enough that nothing has to give way
    std::atomic<int> notices{0};
    std::thread producer([&] {
        for (std::uint32_t n = 1; n <= kReports; ++n)
            if (queue.Push(Numbered(n))) notices.fetch_add(1, std::memory_order_release);
    });
    std::vector<PanelReport> batch;
    std::uint32_t expected = 1;
    int takes = 0;
    while (expected <= kReports) {
        // Like the window: take only when told.
        if (notices.load(std::memory_order_acquire) == 0) {
            std::this_thread::yield();
            continue;
        }
        notices.fetch_sub(1, std::memory_order_acq_rel);
        queue.Take(batch);
        ++takes;
        for (const PanelReport& r : batch) {
            const std::uint32_t n = NumberOf(r);
            ASSERT_EQ(expected, n) << "out of order or repeated";
            ++expected;
        }
    }
    producer.join();
    queue.Take(batch);
    EXPECT_TRUE(batch.empty());
    EXPECT_EQ(0u, queue.Dropped());
    EXPECT_GE(takes, 1);
}

}  // namespace
