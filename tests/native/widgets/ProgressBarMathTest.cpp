// Progress-bar arithmetic: filled width and text for positions inside and
// outside the range, empty and extreme ranges, and WM_GETTEXT's copy into
// buffers of every size. Built natively under the sanitizers and for Windows.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "widgets/ProgressBarMath.h"

namespace {

constexpr int kMax = std::numeric_limits<int>::max();
constexpr int kMin = std::numeric_limits<int>::min();

struct BarCase {
    const char* what;
    int lower, upper, position, clientWidth;
    int barWidth;  // before clamping to the client
    int split;     // in a client from 0 to clientWidth
    const wchar_t* text;
};

TEST(ProgressBarMath, FilledWidthAndPercentage) {
    const BarCase cases[] = {
        {"a quarter", 0, 200, 50, 100, 25, 25, L"25%"},
        {"start", 0, 100, 0, 164, 0, 0, L"0%"},
        {"end", 0, 100, 100, 164, 164, 164, L"100%"},
        {"truncated, not rounded", 0, 1000, 999, 100, 99, 99, L"99%"},
        {"above the upper bound", 0, 200, 300, 100, 150, 100, L"150%"},
        {"below the lower bound", 0, 200, -50, 100, -25, 0, L"-25%"},
        {"toward zero below the range", 0, 1000, -9, 100, 0, 0, L"0%"},
        {"lower bound not zero", 100, 300, 150, 80, 20, 20, L"25%"},
        {"negative range", -300, -100, -250, 100, 25, 25, L"25%"},
        {"range wider than int", kMin, kMax, kMax, 100, 100, 100, L"100%"},
        {"range wider than int, bottom", kMin, kMax, kMin, 100, 0, 0, L"0%"},
        {"far above a tiny range", 0, 1, kMax, 1000, kMax, 1000, L"2147483647%"},
        {"far below a tiny range", 0, 1, kMin, 1000, kMin, 0, L"-2147483648%"},
        {"empty range", 0, 0, 50, 100, 0, 0, L"0%"},
        {"inverted range", 10, 5, 7, 100, 0, 0, L"0%"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const double fraction = progressbar::Fraction(c.position, c.lower, c.upper);
        EXPECT_EQ(progressbar::BarWidth(c.clientWidth, fraction), c.barWidth);
        EXPECT_EQ(progressbar::SplitX(0, c.clientWidth, progressbar::BarWidth(c.clientWidth, fraction)), c.split);
        EXPECT_EQ(progressbar::PercentText(fraction), c.text);
    }
}

TEST(ProgressBarMath, EmptyRangeIsLowerNotBelowUpper) {
    EXPECT_TRUE(progressbar::IsEmptyRange(0, 0));
    EXPECT_TRUE(progressbar::IsEmptyRange(5, 4));
    EXPECT_FALSE(progressbar::IsEmptyRange(4, 5));
    EXPECT_FALSE(progressbar::IsEmptyRange(kMin, kMax));
}

TEST(ProgressBarMath, SplitStaysInsideAClientThatDoesNotStartAtZero) {
    EXPECT_EQ(progressbar::SplitX(10, 110, 25), 35);
    EXPECT_EQ(progressbar::SplitX(10, 110, -25), 10);
    EXPECT_EQ(progressbar::SplitX(10, 110, kMax), 110);
    EXPECT_EQ(progressbar::SplitX(-10, 90, kMin), -10);
}

TEST(ProgressBarMath, CustomTextReplacesThePercentage) {
    EXPECT_EQ(progressbar::BarText(L"Erasing", 0.5), L"Erasing");
    EXPECT_EQ(progressbar::BarText(L"", 0.5), L"50%");
}

TEST(ProgressBarMath, CopyTextAlwaysTerminates) {
    const std::wstring text = L"abcd";
    const struct {
        size_t capacity;
        size_t copied;
        const wchar_t* result;
    } cases[] = {
        {1, 0, L""}, {2, 1, L"a"}, {4, 3, L"abc"}, {5, 4, L"abcd"}, {6, 4, L"abcd"}, {16, 4, L"abcd"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.capacity);
        wchar_t buffer[17];
        std::fill(std::begin(buffer), std::end(buffer), L'#');
        EXPECT_EQ(progressbar::CopyText(text, buffer, c.capacity), c.copied);
        EXPECT_EQ(std::wstring(buffer), c.result);
        EXPECT_EQ(buffer[c.capacity], L'#') << "wrote past the buffer";
    }
}

TEST(ProgressBarMath, CopyTextIntoNothingCopiesNothing) {
    wchar_t buffer[2] = {L'#', L'#'};
    EXPECT_EQ(progressbar::CopyText(L"abcd", buffer, 0), 0u);
    EXPECT_EQ(buffer[0], L'#');
    EXPECT_EQ(progressbar::CopyText(L"abcd", nullptr, 8), 0u);
    EXPECT_EQ(progressbar::CopyText(L"", buffer, 2), 0u);
    EXPECT_EQ(buffer[0], L'\0');
}

}  // namespace
