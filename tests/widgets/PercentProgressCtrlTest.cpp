// CPercentProgressCtrl on screen: the filled width and the text for positions
// inside, above and below the range, the text in two colours split at the bar's
// edge, an empty range, redraws only when the filled width changes, the custom
// text through WM_SETTEXT and WM_GETTEXT, and no GDI object left behind.
#include <gtest/gtest.h>

#include <string>

#include "tests/download/DownloadTestSupport.h"
#include "tests/support/GuiObjectCount.h"
#include "widgets/CPercentProgressCtrl.h"

namespace {

using downloadtest::ClientPixel;
using downloadtest::ClientPixels;
using downloadtest::HostWindow;
using downloadtest::kScribble;
using downloadtest::Pump;
using downloadtest::Scribble;
using downloadtest::TextInk;

constexpr int kWidth = 100;
constexpr int kHeight = 20;

constexpr COLORREF kBar = RGB(200, 0, 0);
constexpr COLORREF kBack = RGB(0, 0, 200);
constexpr COLORREF kTextOverBar = RGB(255, 255, 0);
constexpr COLORREF kTextOverBack = RGB(0, 255, 0);

class CountingProgress : public CPercentProgressCtrl {
public:
    int paints = 0;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_PAINT) ++paints;
        return CPercentProgressCtrl::WindowProc(msg, wp, lp);
    }
};

bool HasUpdate(HWND hwnd) { return ::GetUpdateRect(hwnd, nullptr, FALSE) != FALSE; }

class PercentProgressCtrlTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { downloadtest::RegisterCommonControls(); }
    void SetUp() override {
        ASSERT_TRUE(host.Open());
        ASSERT_TRUE(bar.Create(WS_VISIBLE, RECT{10, 10, 10 + kWidth, 10 + kHeight}, &host, 1115));
        bar.SetBarColor(kBar);
        bar.SetBackgroundColor(kBack);
        bar.SetTextOverBarColor(kTextOverBar);
        bar.SetTextColor(kTextOverBack);
        Pump();
        bar.paints = 0;
    }

    // Compares the bar on screen, pixel by pixel, with `filled` columns of bar
    // and `text` centred on it (none when empty). Smoothed text edges are
    // skipped; full ink and blank pixels must have their exact colours.
    void ExpectPicture(int filled, const std::wstring& text) {
        const std::vector<COLORREF> shown = ClientPixels(bar, kWidth, kHeight);
        const std::vector<BYTE> ink =
            text.empty() ? std::vector<BYTE>(shown.size(), 0) : TextInk(text, kWidth, kHeight);
        int inked = 0, wrong = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const size_t i = static_cast<size_t>(y * kWidth + x);
                if (ink[i] != 0 && ink[i] != 255) continue;
                const bool onBar = x < filled;
                const COLORREF want = ink[i] ? (onBar ? kTextOverBar : kTextOverBack) : (onBar ? kBar : kBack);
                inked += ink[i] ? 1 : 0;
                if (shown[i] != want && wrong++ < 3) {
                    ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << shown[i] << ", not " << want;
                }
            }
        EXPECT_EQ(wrong, 0) << "pixels off";
        EXPECT_TRUE(text.empty() || inked > 10) << "the reference text has no full-ink pixels";
    }

    HostWindow host;
    CountingProgress bar;
};

TEST_F(PercentProgressCtrlTest, FilledWidthAndTextAcrossTheRange) {
    const struct {
        const char* what;
        int lower, upper, position;
        int filled;
        const wchar_t* text;
    } cases[] = {
        {"a quarter", 0, 200, 50, 25, L"25%"},
        {"bar edge through the text", 0, 100, 50, 50, L"50%"},
        {"start", 0, 100, 0, 0, L"0%"},
        {"end", 0, 100, 100, 100, L"100%"},
        {"truncated", 0, 1000, 999, 99, L"99%"},
        {"past the upper bound", 0, 200, 260, 100, L"130%"},
        {"below the lower bound", 0, 200, -50, 0, L"-25%"},
        {"lower bound not zero", 1000, 1400, 1300, 75, L"75%"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        bar.SetRange(c.lower, c.upper);
        bar.SetPos(c.position);
        ::RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        ExpectPicture(c.filled, c.text);
    }
}

TEST_F(PercentProgressCtrlTest, WithoutTextOnlyTheTwoFieldsAreDrawn) {
    bar.SetPos(30);
    bar.SetTextVisible(false);
    EXPECT_TRUE(HasUpdate(bar)) << "hiding the text redraws";
    ::UpdateWindow(bar);
    ExpectPicture(30, L"");
    ::ValidateRect(bar, nullptr);
    bar.SetTextVisible(false);
    EXPECT_FALSE(HasUpdate(bar)) << "no change, no redraw";
    bar.SetTextVisible(true);
    ::UpdateWindow(bar);
    ExpectPicture(30, L"30%");
}

TEST_F(PercentProgressCtrlTest, EmptyRangeDrawsNothingAndEndsThePaint) {
    const struct { int lower, upper; } ranges[] = {{0, 0}, {10, 5}};
    for (const auto& r : ranges) {
        SCOPED_TRACE(r.lower);
        bar.SetRange(r.lower, r.upper);
        Scribble(bar);
        ::InvalidateRect(bar, nullptr, TRUE);
        bar.paints = 0;
        ::UpdateWindow(bar);
        EXPECT_EQ(bar.paints, 1);
        EXPECT_FALSE(HasUpdate(bar)) << "the paint cycle was left open";
        EXPECT_EQ(ClientPixel(bar, 0, 0), kScribble);
        EXPECT_EQ(ClientPixel(bar, kWidth / 2, kHeight / 2), kScribble);
        EXPECT_EQ(ClientPixel(bar, kWidth - 1, kHeight - 1), kScribble);
    }
}

TEST_F(PercentProgressCtrlTest, SetPosPaintsOnlyWhenTheFilledWidthChanges) {
    bar.SetRange(0, 1000);  // ten positions to a pixel
    const struct {
        int position;
        int paints;  // at once, inside SetPos
    } steps[] = {
        {0, 1},  // nothing drawn yet
        {5, 0},   {9, 0},    {10, 1},   {19, 0},
        {25, 1},  {25, 0},   {-10, 1},  // below the range: -1 pixel is a width of its own
        {-19, 0}, {2000, 1}, {3000, 1},
    };
    for (const auto& s : steps) {
        bar.paints = 0;
        bar.SetPos(s.position);
        EXPECT_EQ(bar.paints, s.paints) << "position " << s.position;
        EXPECT_FALSE(HasUpdate(bar)) << "position " << s.position << " left a paint pending";
    }
    bar.paints = 0;
    bar.SetRange(0, 100);
    EXPECT_EQ(bar.paints, 0);
    EXPECT_FALSE(HasUpdate(bar)) << "a new range waits for the next position";
}

TEST_F(PercentProgressCtrlTest, ResizeMakesTheNextSetPosRedraw) {
    bar.SetPos(40);
    ::SetWindowPos(bar, nullptr, 0, 0, kWidth, kHeight + 4, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    bar.paints = 0;
    bar.SetPos(40);  // 40 px, as before the resize
    EXPECT_EQ(bar.paints, 1);
    bar.SetPos(40);
    EXPECT_EQ(bar.paints, 1);

    // A position just below the range fills -1 pixels: still a redraw after a resize.
    bar.SetRange(0, 1000);
    bar.SetPos(-15);
    ::SetWindowPos(bar, nullptr, 0, 0, kWidth, kHeight, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    bar.paints = 0;
    bar.SetPos(-15);
    EXPECT_EQ(bar.paints, 1);
}

TEST_F(PercentProgressCtrlTest, PositionOperationsReturnThePreviousPosition) {
    EXPECT_EQ(bar.SetPos(10), 0);
    EXPECT_EQ(bar.OffsetPos(5), 10);
    EXPECT_EQ(bar.StepIt(), 15);
    EXPECT_EQ(bar.SetStep(7), 1);
    EXPECT_EQ(bar.StepIt(), 16);
    EXPECT_EQ(bar.OffsetPos(-30), 23);
    EXPECT_EQ(bar.GetPos(), -7);
}

TEST(PercentProgressCtrl, WithoutAWindowNothingChanges) {
    CPercentProgressCtrl bar;
    EXPECT_EQ(bar.SetPos(50), -1);
    EXPECT_EQ(bar.OffsetPos(5), -1);
    EXPECT_EQ(bar.StepIt(), -1);
    EXPECT_EQ(bar.GetPos(), 0);
}

TEST_F(PercentProgressCtrlTest, CustomTextReplacesThePercentageUntilCleared) {
    bar.SetPos(50);
    ::ValidateRect(bar, nullptr);
    EXPECT_TRUE(::SetWindowTextW(bar, L"Wait"));
    EXPECT_TRUE(HasUpdate(bar));
    ::UpdateWindow(bar);
    ExpectPicture(50, L"Wait");
    EXPECT_EQ(::GetWindowTextLengthW(bar), 4);
    wchar_t buffer[16] = L"";
    EXPECT_EQ(::GetWindowTextW(bar, buffer, 16), 4);
    EXPECT_STREQ(buffer, L"Wait");

    ::SetWindowTextW(bar, L"Wait");
    EXPECT_FALSE(HasUpdate(bar)) << "the same text again";

    ::SetWindowTextW(bar, L"");
    ::UpdateWindow(bar);
    ExpectPicture(50, L"50%");
    EXPECT_EQ(::GetWindowTextLengthW(bar), 0);

    ::SetWindowTextW(bar, L"Wait");
    ::SendMessageW(bar, WM_SETTEXT, 0, 0);  // no text counts as empty
    ::UpdateWindow(bar);
    ExpectPicture(50, L"50%");
}

TEST_F(PercentProgressCtrlTest, GetTextTerminatesWhateverTheBufferSize) {
    ::SetWindowTextW(bar, L"abcd");
    const struct {
        WPARAM size;
        LRESULT copied;
        const wchar_t* text;
    } cases[] = {{0, 0, L"#"}, {1, 0, L""}, {2, 1, L"a"}, {4, 3, L"abc"}, {5, 4, L"abcd"}, {9, 4, L"abcd"}};
    for (const auto& c : cases) {
        wchar_t buffer[12] = L"###########";
        EXPECT_EQ(::SendMessageW(bar, WM_GETTEXT, c.size, reinterpret_cast<LPARAM>(buffer)), c.copied)
            << "size " << c.size;
        buffer[c.size ? c.size : 1] = L'\0';  // a missing terminator shows as a stray '#'
        EXPECT_STREQ(buffer, c.text) << "size " << c.size;
    }
}

TEST_F(PercentProgressCtrlTest, ManyPaintsLeaveNoGdiObject) {
    bar.SetRange(0, 400);
    bar.SetPos(1);
    const DWORD before = CountGuiObjects().gdi;
    for (int i = 0; i < 400; i += 2) bar.SetPos(i);
    ::SetWindowTextW(bar, L"Wait");
    ::UpdateWindow(bar);
    EXPECT_EQ(CountGuiObjects().gdi, before);
}

}  // namespace
