// The report pacing of a panel window, driven with made-up times: one take a
// frame under a storm, at once after a quiet spell, nothing taken inside a take.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/PanelReportPacer.h"

namespace {

using Step = PanelReportPacer::Step;

// One event of a window's life and what the pacer must answer.
struct Event {
    enum Kind { kNotice, kTimer, kBeginTake, kEndTake } kind;
    std::uint64_t now = 0;        // notices and takes
    Step expected = Step::kNone;  // notices and timers
    bool again = false;           // kEndTake: must the window notice itself again?
};

struct Case {
    const char* name;
    std::vector<Event> events;
    std::uint64_t deferAt;  // when the last kDefer was asked for its delay, and
    std::uint64_t deferMs;  // the delay it must get
};

const Case kCases[] = {
    {"FirstNoticeTakesAtOnce", {{Event::kNotice, 1000, Step::kTake, false}}, 0, 0},
    // Time 0 is a time like any other: a pacer that took its first reports at 0
    // must still pace the next ones.
    {"StormInsideAFrameDefersOnce",
     {{Event::kBeginTake, 0}, {Event::kEndTake, 0, Step::kNone, false}, {Event::kNotice, 5, Step::kDefer, false}},
     5, 11},
    {"LastMillisecondOfTheFrameStillDefers",
     {{Event::kBeginTake, 100}, {Event::kEndTake}, {Event::kNotice, 115, Step::kDefer, false}}, 115, 1},
    {"QuietSpellTakesAtOnce", {{Event::kBeginTake, 100}, {Event::kEndTake}, {Event::kNotice, 116, Step::kTake, false}},
     0, 0},
    {"NoticesInsideATakeAreKeptForAfterIt",
     {{Event::kBeginTake, 100},
      {Event::kNotice, 101, Step::kNone},
      {Event::kNotice, 102, Step::kNone},
      {Event::kEndTake, 0, Step::kNone, true},
      {Event::kBeginTake, 103},
      {Event::kEndTake, 0, Step::kNone, false}},
     0, 0},
    {"TimerFiringInsideATakeWaitsForIt",
     {{Event::kBeginTake, 100}, {Event::kTimer, 0, Step::kNone}, {Event::kEndTake, 0, Step::kNone, true}}, 0, 0},
    {"TimerAfterAStormTakes", {{Event::kTimer, 0, Step::kTake}}, 0, 0},
};

class PanelReportPacerTest : public ::testing::TestWithParam<Case> {};

TEST_P(PanelReportPacerTest, AnswersEachEventAsTheWindowNeedsIt) {
    PanelReportPacer pacer;
    int step = 0;
    for (const Event& e : GetParam().events) {
        SCOPED_TRACE("event " + std::to_string(step++));
        switch (e.kind) {
        case Event::kNotice: {
            const Step got = pacer.OnNotice(e.now);
            EXPECT_EQ(got, e.expected);
            if (got == Step::kDefer) {
                EXPECT_EQ(pacer.DeferMs(GetParam().deferAt), GetParam().deferMs);
                pacer.TimerArmed();
                EXPECT_TRUE(pacer.Deferred());
                // The armed timer takes them: later notices add nothing.
                EXPECT_EQ(pacer.OnNotice(e.now + 1), Step::kNone);
            }
            break;
        }
        case Event::kTimer:
            EXPECT_EQ(pacer.OnTimer(), e.expected);
            EXPECT_FALSE(pacer.Deferred());
            break;
        case Event::kBeginTake:
            pacer.BeginTake(e.now);
            EXPECT_TRUE(pacer.Taking());
            break;
        case Event::kEndTake:
            EXPECT_EQ(pacer.EndTake(3), e.again);
            EXPECT_FALSE(pacer.Taking());
            break;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Rules, PanelReportPacerTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) { return info.param.name; });

TEST(PanelReportPacer, CountsEveryReportTaken) {
    PanelReportPacer pacer;
    for (std::uint64_t t = 0; t < 5; ++t) {
        pacer.BeginTake(t * 20);
        pacer.EndTake(t);
    }
    EXPECT_EQ(pacer.Handled(), 0u + 1 + 2 + 3 + 4);
}

}  // namespace
