// The Audio panel's report decoding and the bounded pending-word wait, without
// any window.
#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "panels/AudioLayout.h"
#include "panels/AudioReport.h"

namespace {
using Bytes = std::initializer_list<std::pair<int, std::uint8_t>>;
using Actions = std::vector<AudioAction>;
constexpr auto kDown = AudioAction::KeyDown;
constexpr auto kUp = AudioAction::KeyUp;
constexpr auto kFader = AudioAction::FaderPos;
constexpr auto kOver = AudioAction::Over;
constexpr auto kData = AudioAction::Data;

PanelChanges Changes(Bytes bytes) {
    PanelChanges c{};
    for (auto [i, v] : bytes) c.bytes[i] = v;
    return c;
}
PanelStatus Status(Bytes bytes) {
    PanelStatus s{};
    for (auto [i, v] : bytes) s.bytes[i] = v;
    return s;
}

TEST(AudioReport, DecodesKeysFadersAndIndicatorsInOrder) {
    struct Case {
        const char* name;
        Bytes changes;
        Bytes status;
        Actions expected;
    };
    const Case cases[] = {
        {"nothing changed", {}, {{2, 0xFF}, {6, 9}, {14, 200}}, {}},
        {"Func held", {{2, 0x01}}, {{2, 0x01}}, {{kDown, 0, 0}}},
        {"1_T released", {{2, 0x02}}, {}, {{kUp, 1, 0}}},
        {"held bit without change bit", {{2, 0x02}}, {{2, 0x03}}, {{kDown, 1, 0}}},
        {"8_T and Mute in group 1", {{3, 0x03}}, {{3, 0x02}}, {{kUp, 8, 0}, {kDown, 9, 0}}},
        {"4/8_R is the last key", {{5, 0x10}}, {{5, 0x10}}, {{kDown, 28, 0}}},
        {"group 3 bits 5 to 7 belong to no key", {{5, 0xE0}}, {{5, 0xE0}}, {}},
        {"channels in bit order", {{6, 0x81}}, {{6, 10}, {13, 70}}, {{kFader, 0, 10}, {kFader, 7, 70}}},
        {"master bits 1 to 7 are not the master", {{7, 0xFE}}, {{14, 90}}, {}},
        {"master 199", {{7, 1}}, {{14, 199}}, {{kFader, 8, 199}, {kOver, 29, 0}, {kData, 30, 0}}},
        {"master 200", {{7, 1}}, {{14, 200}}, {{kFader, 8, 200}, {kOver, 29, 1}, {kData, 30, 0}}},
        {"master 56", {{7, 1}}, {{14, 56}}, {{kFader, 8, 56}, {kOver, 29, 0}, {kData, 30, 1}}},
        {"master 57", {{7, 1}}, {{14, 57}}, {{kFader, 8, 57}, {kOver, 29, 0}, {kData, 30, 0}}},
        {"master 0", {{7, 1}}, {}, {{kFader, 8, 0}, {kOver, 29, 0}, {kData, 30, 1}}},
        {"master 255", {{7, 1}}, {{14, 255}}, {{kFader, 8, 255}, {kOver, 29, 1}, {kData, 30, 0}}},
        {"keys before faders, channels before master",
         {{4, 0x04}, {6, 0x02}, {7, 1}},
         {{7, 5}, {14, 128}},
         {{kUp, 18, 0}, {kFader, 1, 5}, {kFader, 8, 128}, {kOver, 29, 0}, {kData, 30, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DecodeAudioReport(Changes(c.changes), Status(c.status)), c.expected);
    }
}

// The report carries a key at group * 8 + bit, which is also its LED number:
// the table must cover every one of the 29 exactly once.
TEST(AudioReport, EveryKeySitsAtItsLedNumber) {
    for (int led = 0; led < kAudioKeyCount; ++led) {
        const int key = AudioKeyAt(led / 8, led % 8);
        ASSERT_GE(key, 0) << led;
        EXPECT_EQ(AudioLedOfKey(key), led);
        EXPECT_EQ(DecodeAudioKeys(Changes({{2 + led / 8, std::uint8_t(1u << (led % 8))}}), Status({})),
                  (Actions{{kUp, key, 0}}));
    }
}

TEST(AudioReport, FaderSyncTakesAllNineAndTheIndicatorsFromAStateBlock) {
    const PanelStatus state =
        Status({{6, 1}, {7, 2}, {8, 3}, {9, 4}, {10, 5}, {11, 6}, {12, 7}, {13, 8}, {14, 30}, {15, 0x02}, {18, 0x10}});
    Actions expected;
    for (int i = 0; i < 8; ++i) expected.push_back({kFader, i, i + 1});
    expected.push_back({kFader, 8, 30});
    expected.push_back({kOver, 29, 0});
    expected.push_back({kData, 30, 1});
    EXPECT_EQ(AudioFaderSync(state), expected);
    // Lamp bits: 1_T (group 0 bit 1) and 4/8_R (group 3 bit 4).
    for (int k = 0; k < kAudioKeyCount; ++k) EXPECT_EQ(AudioLampInState(state, k), k == 1 || k == 28) << k;
}

TEST(AudioReport, OnlyAnAllZeroPairIsEmpty) {
    EXPECT_TRUE(AudioPairIsEmpty(Changes({}), Status({})));
    EXPECT_FALSE(AudioPairIsEmpty(Changes({{27, 1}}), Status({})));
    EXPECT_FALSE(AudioPairIsEmpty(Changes({}), Status({{31, 1}})));
}

TEST(PendingWordWait, EndsOnZeroOrGivesUpAfterItsTimeOrFailures) {
    struct Read {
        std::uint64_t at;
        std::int32_t status;
        std::int32_t pending;
        PendingWordWait::Step step;
    };
    using S = PendingWordWait::Step;
    struct Case {
        const char* name;
        std::vector<Read> reads;
    };
    const Case cases[] = {
        {"zero at once", {{1000, 0, 0, S::Done}}},
        {"busy, then zero", {{1000, 0, 1, S::Wait}, {1010, 0, 7, S::Wait}, {1020, 0, 0, S::Done}}},
        {"busy until the time is up", {{1000, 0, 1, S::Wait}, {1099, 0, 1, S::Wait}, {1100, 0, 1, S::GaveUp}}},
        {"a failed read's block is not believed", {{1000, -1, 0, S::Wait}, {1010, 0, 0, S::Done}}},
        {"three failures", {{1000, -1, 0, S::Wait}, {1001, -5, 0, S::Wait}, {1002, -1, 0, S::GaveUp}}},
        {"failures need not be in a row",
         {{1000, -1, 1, S::Wait}, {1001, 0, 1, S::Wait}, {1002, -1, 1, S::Wait}, {1003, -1, 1, S::GaveUp}}},
        {"a clock that goes past the end", {{1000, 0, 1, S::Wait}, {5000, 0, 1, S::GaveUp}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PendingWordWait wait({100, 3});
        wait.Start(1000);
        for (const Read& r : c.reads) {
            PanelDeviceStatus block{};
            WriteLe32(block.bytes, kStatusPendingOffset, r.pending);
            EXPECT_EQ(wait.Read(r.at, r.status, block), r.step) << r.at;
            EXPECT_EQ(wait.Running(), r.step == S::Wait);
        }
    }
}
}  // namespace
