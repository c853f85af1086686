// CFaderCtrl in a real headless window: the creation checks, positions and
// ranges, mouse scripts (press, drag, the pause outside the track,
// click-to-jump, focus and capture loss) with the messages posted to the
// parent, WM_FADER_SETPOS, a fader without travel, and the pixels of thumb,
// masked thumb and value text.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/widgets/WidgetTestSupport.h"
#include "widgets/CFaderCtrl.h"

namespace {

using widgettest::kScribble;
using widgettest::Pump;
using widgettest::Repaint;
using widgettest::ResourceBitmap;
using widgettest::Scribble;
using widgettest::WindowPixel;

constexpr UINT kBackground = 130;    // 28 x 267
constexpr UINT kChannelThumb = 184;  // 24 x 55
constexpr DWORD kVertical = WS_CHILD | WS_VISIBLE | CFaderCtrl::kVertical;
constexpr DWORD kHorizontal = WS_CHILD | WS_VISIBLE | CFaderCtrl::kHorizontal;
constexpr RECT kTrack{3, 5, 27, 267};  // the Audio window's faders: span 207

struct Posted {
    UINT msg;
    int value;
    bool operator==(const Posted& o) const { return msg == o.msg && value == o.value; }
};

std::ostream& operator<<(std::ostream& os, const Posted& p) {
    return os << (p.msg == WM_FADER_RELEASED   ? "released "
                  : p.msg == WM_FADER_VCHANGED ? "vchanged "
                                               : "hchanged ")
              << p.value;
}

// A host that records what faders post to it.
class FaderHost : public widgettest::HostWindow {
public:
    struct Message {
        UINT msg;
        WPARAM wp;
        LPARAM lp;
    };
    std::vector<Message> messages;

    // What arrived since the last call, checking that each names the fader.
    std::vector<Posted> Take(HWND fader) {
        Pump();
        std::vector<Posted> out;
        for (const Message& m : messages) {
            EXPECT_EQ(reinterpret_cast<HWND>(m.lp), fader) << "lParam of message " << m.msg;
            out.push_back(Posted{m.msg, static_cast<int>(m.wp)});
        }
        messages.clear();
        return out;
    }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg >= WM_FADER_HCHANGED && msg <= WM_FADER_RELEASED && msg != WM_FADER_SETPOS) {
            messages.push_back(Message{msg, wp, lp});
            return 0;
        }
        return HostWindow::WindowProc(msg, wp, lp);
    }
};

RECT Thumb(const CFaderCtrl& fader) {
    RECT rc{};
    fader.GetThumbRect(&rc);
    return rc;
}

class FaderCtrlTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Open()); }
    // The Audio window's channel fader at (10, 10), range 0..255.
    void MakeAudioFader(CFaderCtrl& fader, COLORREF mask = CFaderCtrl::kNoMask) {
        ASSERT_TRUE(fader.CreateFader(kVertical, 10, 10, &host, kTrack, kBackground, kChannelThumb, mask));
        ASSERT_TRUE(fader.SetRange(0, 255));
    }
    FaderHost host;
};

struct CreateCase {
    const char* what;
    DWORD flags;
    RECT track;
    UINT background;
    UINT thumb;
    bool ok;
    bool horizontal;
};

TEST_F(FaderCtrlTest, CreationChecks) {
    const CreateCase cases[] = {
        {"vertical", kVertical, kTrack, kBackground, kChannelThumb, true, false},
        {"both bits: horizontal wins", kVertical | CFaderCtrl::kHorizontal, kTrack, kBackground, kChannelThumb, true,
         true},
        {"track on the background's edges", kVertical, {0, 0, 28, 267}, kBackground, kChannelThumb, true, false},
        {"no WS_VISIBLE", WS_CHILD | CFaderCtrl::kVertical, kTrack, kBackground, kChannelThumb, false, true},
        {"no WS_CHILD", WS_VISIBLE | CFaderCtrl::kVertical, kTrack, kBackground, kChannelThumb, false, true},
        {"no orientation", WS_CHILD | WS_VISIBLE, kTrack, kBackground, kChannelThumb, false, true},
        {"missing background", kVertical, kTrack, 60000, kChannelThumb, false, true},
        {"missing thumb", kVertical, kTrack, kBackground, 60000, false, true},
        {"track too wide", kVertical, {3, 5, 29, 267}, kBackground, kChannelThumb, false, true},
        {"track too long", kVertical, {3, 5, 27, 268}, kBackground, kChannelThumb, false, true},
    };
    for (const CreateCase& c : cases) {
        SCOPED_TRACE(c.what);
        CFaderCtrl fader;
        EXPECT_EQ(
            fader.CreateFader(c.flags, 20, 30, &host, c.track, c.background, c.thumb, CFaderCtrl::kNoMask) != FALSE,
            c.ok);
        EXPECT_EQ(fader.IsHorizontal(), c.horizontal);
        const RECT thumb = Thumb(fader);
        if (!c.ok) {
            EXPECT_EQ(fader.GetSafeHwnd(), nullptr);
            EXPECT_EQ(thumb.right, 0) << "a refused creation changes nothing";
            continue;
        }
        // The thumb starts at the track's left top corner, at its own size.
        EXPECT_EQ(thumb.left, c.track.left);
        EXPECT_EQ(thumb.top, c.track.top);
        EXPECT_EQ(thumb.right, c.track.left + 24);
        EXPECT_EQ(thumb.bottom, c.track.top + 55);
        RECT rc{};
        ::GetWindowRect(fader, &rc);
        ::MapWindowPoints(nullptr, host, reinterpret_cast<POINT*>(&rc), 2);
        EXPECT_EQ(rc.left, 20);
        EXPECT_EQ(rc.top, 30);
        EXPECT_EQ(rc.right - rc.left, 28);
        EXPECT_EQ(rc.bottom - rc.top, 267);
        EXPECT_EQ(fader.GetDlgCtrlID(), 0);
        EXPECT_EQ(::GetParent(fader), host.GetSafeHwnd());
        EXPECT_EQ(::GetClassLongW(fader, GCL_STYLE) & CS_DBLCLKS, static_cast<DWORD>(CS_DBLCLKS));
    }
}

TEST_F(FaderCtrlTest, WindowIsAVisibleChildWhateverStyleIsAsked) {
    CFaderCtrl fader;
    ASSERT_TRUE(fader.Create(nullptr, nullptr, WS_POPUP | WS_CAPTION | WS_DISABLED, RECT{0, 0, 28, 267}, &host, 7));
    EXPECT_EQ(static_cast<DWORD>(::GetWindowLongW(fader, GWL_STYLE)) & 0xFFFF0000u, 0x50000000u);
    // A second set-up on a live window is refused.
    EXPECT_FALSE(fader.CreateFader(kVertical, 0, 0, &host, kTrack, kBackground, kChannelThumb, CFaderCtrl::kNoMask));
}

TEST_F(FaderCtrlTest, PositionsAndRanges) {
    CFaderCtrl fader;
    MakeAudioFader(fader);
    EXPECT_EQ(fader.GetPos(), 255) << "a fresh vertical thumb is at the top";
    host.Take(fader);
    struct {
        int v;
        BOOL ok;
        int top;  // thumb top after the call
        int value;
    } const cases[] = {
        {255, TRUE, 5, 255},   {0, TRUE, 212, 0},   {200, TRUE, 50, 200},  // offset 162
        {128, TRUE, 109, 128},                                             // offset 103, the value kept
        {1, TRUE, 212, 1},                                                 // offset 0
        {256, FALSE, 212, 1},  {-1, FALSE, 212, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fader.SetPos(c.v), c.ok) << c.v;
        const RECT thumb = Thumb(fader);
        EXPECT_EQ(thumb.top, c.top) << c.v;
        EXPECT_EQ(thumb.bottom - thumb.top, 55) << c.v;
        EXPECT_EQ(fader.GetPos(), c.value) << c.v;
    }
    EXPECT_TRUE(host.Take(fader).empty()) << "SetPos tells the parent nothing";

    ASSERT_TRUE(fader.SetPos(128));  // offset 103
    EXPECT_FALSE(fader.SetRange(5, 5));
    EXPECT_FALSE(fader.SetRange(9, 3));
    EXPECT_FALSE(fader.SetRangeMax(-1));
    EXPECT_FALSE(fader.SetRangeMin(256));
    EXPECT_EQ(fader.GetPos(), 128) << "refused range calls change nothing";
    // The value follows the thumb into the new range.
    EXPECT_TRUE(fader.SetRange(0, 1000));
    EXPECT_EQ(fader.GetPos(), 498);
    EXPECT_TRUE(fader.SetRangeMin(-1000));
    EXPECT_EQ(fader.GetPos(), -5);  // -1000 + trunc(2000 / 207 * 103 + 0.5)
    int lo = 0;
    int hi = 0;
    fader.GetRange(lo, hi);
    EXPECT_EQ(lo, -1000);
    EXPECT_EQ(hi, 1000);
    std::wstring text;
    fader.GetValueText(text);
    EXPECT_EQ(text, L"-5");
}

// A single-value range or a thumb as long as its track gives the arithmetic
// nothing to divide by: the fader keeps working and the value stays sane.
TEST_F(FaderCtrlTest, FaderWithoutTravel) {
    CFaderCtrl unset;
    EXPECT_TRUE(unset.SetRange(0, 255)) << "before any set-up: track and thumb are empty";
    EXPECT_EQ(unset.GetPos(), 0);
    EXPECT_TRUE(unset.SetPos(77));
    EXPECT_EQ(unset.GetPos(), 77);

    CFaderCtrl fader;
    ASSERT_TRUE(fader.CreateFader(kVertical, 10, 10, &host, RECT{3, 5, 27, 60}, kBackground, kChannelThumb,
                                  CFaderCtrl::kNoMask));
    EXPECT_TRUE(fader.SetRange(0, 255));
    EXPECT_EQ(fader.GetPos(), 0) << "no travel: the thumb says nothing about the value";
    EXPECT_TRUE(fader.SetPos(200));
    EXPECT_EQ(fader.GetPos(), 200);
    EXPECT_EQ(Thumb(fader).top, 5);
    EXPECT_TRUE(fader.SetRangeMax(100));
    EXPECT_EQ(fader.GetPos(), 100);
    fader.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(14, 30));
    fader.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(14, 40));
    fader.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(14, 40));
    EXPECT_EQ(host.Take(fader),
              (std::vector<Posted>{{WM_FADER_VCHANGED, 100}, {WM_FADER_VCHANGED, 100}, {WM_FADER_RELEASED, 100}}));

    CFaderCtrl single;
    MakeAudioFader(single);
    ASSERT_TRUE(single.SetPos(0));
    EXPECT_TRUE(single.SetRangeMax(0));
    EXPECT_TRUE(single.SetPos(0));
    EXPECT_EQ(Thumb(single).top, 212);
    EXPECT_EQ(single.GetPos(), 0);
    single.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(14, 100));  // jumps, value stays 0
    single.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(14, 100));
    EXPECT_EQ(Thumb(single).top, 73);
    EXPECT_EQ(single.GetPos(), 0);
}

enum class Act { kDown, kMove, kUp, kDouble, kFocusAway, kCaptureAway, kSetPos, kSetPosMessage };

struct Step {
    const char* what;
    Act act;
    int x;  // or the value for kSetPos / kSetPosMessage
    int y;
    int lead;  // thumb top (vertical) or left (horizontal) afterwards
    int value;
    bool dragging;
    std::vector<Posted> posted;
};

constexpr UINT V = WM_FADER_VCHANGED;
constexpr UINT H = WM_FADER_HCHANGED;
constexpr UINT R = WM_FADER_RELEASED;

void RunScript(FaderHost& host, CFaderCtrl& fader, const std::vector<Step>& steps) {
    host.Take(fader);
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        const LPARAM at = MAKELPARAM(s.x, s.y);
        switch (s.act) {
        case Act::kDown:
            fader.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
            break;
        case Act::kMove:
            fader.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at);
            break;
        case Act::kUp:
            fader.SendMessage(WM_LBUTTONUP, 0, at);
            EXPECT_NE(::GetCapture(), fader.GetSafeHwnd());
            break;
        case Act::kDouble:
            fader.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
            break;
        case Act::kFocusAway:
            ::SetFocus(host);
            break;
        case Act::kCaptureAway:
            ::SetCapture(host);
            ::ReleaseCapture();
            break;
        case Act::kSetPos:
            fader.SetPos(s.x);
            break;
        case Act::kSetPosMessage:
            EXPECT_EQ(fader.SendMessage(WM_FADER_SETPOS, static_cast<WPARAM>(s.x), 0), 0);
            break;
        }
        RECT thumb = Thumb(fader);
        EXPECT_EQ(fader.IsHorizontal() ? thumb.left : thumb.top, s.lead);
        EXPECT_EQ(fader.GetPos(), s.value);
        EXPECT_EQ(fader.IsDragging(), s.dragging);
        EXPECT_EQ(host.Take(fader), s.posted);
        if (s.act == Act::kDown && s.dragging) {
            EXPECT_EQ(::GetCapture(), fader.GetSafeHwnd());
            EXPECT_EQ(::GetFocus(), fader.GetSafeHwnd());
        }
    }
}

TEST_F(FaderCtrlTest, DragStopsAtTheEndsAndPausesOutsideTheTrack) {
    CFaderCtrl fader;
    MakeAudioFader(fader);
    ASSERT_TRUE(fader.SetPos(0));  // thumb 212..267
    RunScript(host, fader,
              {
                  {"press on the thumb", Act::kDown, 14, 240, 212, 0, true, {{V, 0}}},
                  {"up 40", Act::kMove, 14, 200, 172, 49, true, {{V, 49}}},
                  {"outside the track: nothing", Act::kMove, 40, 150, 172, 49, true, {}},
                  {"above the track: nothing", Act::kMove, 14, 4, 172, 49, true, {}},
                  {"back: 10 more from the last point inside", Act::kMove, 14, 190, 162, 62, true, {{V, 62}}},
                  {"across the axis only: posts again", Act::kMove, 20, 190, 162, 62, true, {{V, 62}}},
                  {"up past the top", Act::kMove, 14, 6, 5, 255, true, {{V, 255}}},
                  {"down past the bottom", Act::kMove, 14, 266, 212, 0, true, {{V, 0}}},
                  {"release", Act::kUp, 14, 266, 212, 0, false, {{R, 0}}},
                  {"moves after the release", Act::kMove, 14, 100, 212, 0, false, {}},
              });
}

TEST_F(FaderCtrlTest, ClickIntoTheTrackJumpsCentred) {
    CFaderCtrl fader;
    MakeAudioFader(fader);
    ASSERT_TRUE(fader.SetPos(0));
    RunScript(host, fader,
              {
                  {"above the thumb: centred", Act::kDown, 14, 100, 73, 171, true, {{V, 171}}},
                  {"release", Act::kUp, 14, 100, 73, 171, false, {{R, 171}}},
                  {"near the top: clamped", Act::kDown, 14, 10, 5, 255, true, {{V, 255}}},
                  {"release", Act::kUp, 14, 10, 5, 255, false, {{R, 255}}},
                  {"on the thumb: unchanged value", Act::kDown, 14, 30, 5, 255, true, {{V, 255}}},
                  {"release", Act::kUp, 14, 30, 5, 255, false, {{R, 255}}},
                  {"outside thumb and track", Act::kDown, 1, 100, 5, 255, false, {}},
                  {"its release still posts", Act::kUp, 1, 100, 5, 255, false, {{R, 255}}},
                  {"double-click into the track", Act::kDouble, 14, 200, 5, 255, false, {}},
                  {"release after it", Act::kUp, 14, 200, 5, 255, false, {{R, 255}}},
                  {"near the bottom: clamped", Act::kDown, 14, 265, 212, 0, true, {{V, 0}}},
                  {"release", Act::kUp, 14, 265, 212, 0, false, {{R, 0}}},
              });
}

TEST_F(FaderCtrlTest, FocusOrCaptureLossEndsTheDrag) {
    CFaderCtrl fader;
    MakeAudioFader(fader);
    ASSERT_TRUE(fader.SetPos(0));
    RunScript(host, fader,
              {
                  {"press into the track", Act::kDown, 14, 150, 123, 110, true, {{V, 110}}},
                  {"focus goes elsewhere", Act::kFocusAway, 0, 0, 123, 110, false, {}},
                  {"moves no longer drag", Act::kMove, 14, 100, 123, 110, false, {}},
                  {"SetPos is taken again", Act::kSetPos, 20, 0, 196, 20, false, {}},
                  {"the release still arrives", Act::kUp, 14, 100, 196, 20, false, {{R, 20}}},
                  {"press on the thumb", Act::kDown, 14, 220, 196, 20, true, {{V, 20}}},
                  {"another window takes the mouse", Act::kCaptureAway, 0, 0, 196, 20, false, {{R, 20}}},
                  {"moves no longer drag", Act::kMove, 14, 150, 196, 20, false, {}},
              });
}

TEST_F(FaderCtrlTest, PositionsFromTheProgramWhileHeld) {
    CFaderCtrl fader;
    MakeAudioFader(fader);
    ASSERT_TRUE(fader.SetPos(0));
    RunScript(host, fader,
              {
                  {"press on the thumb", Act::kDown, 14, 240, 212, 0, true, {{V, 0}}},
                  {"SetPos refused", Act::kSetPos, 100, 0, 212, 0, true, {}},
                  {"WM_FADER_SETPOS refused, still posts", Act::kSetPosMessage, 100, 0, 212, 0, true, {{V, 0}}},
                  {"release", Act::kUp, 14, 240, 212, 0, false, {{R, 0}}},
                  {"WM_FADER_SETPOS taken", Act::kSetPosMessage, 100, 0, 131, 100, false, {{V, 100}}},
                  {"out of range: refused, posts", Act::kSetPosMessage, 300, 0, 131, 100, false, {{V, 100}}},
              });
}

TEST_F(FaderCtrlTest, HorizontalFaderGrowsToTheRight) {
    CFaderCtrl fader;
    ASSERT_TRUE(fader.CreateFader(kHorizontal, 10, 10, &host, RECT{0, 0, 28, 100}, kBackground, kChannelThumb,
                                  CFaderCtrl::kNoMask));
    ASSERT_TRUE(fader.SetRange(0, 4));  // span 28 - 24
    RunScript(host, fader,
              {
                  {"fresh: left end, minimum", Act::kSetPos, 0, 0, 0, 0, false, {}},
                  {"press right of the thumb", Act::kDown, 26, 70, 4, 4, true, {{H, 4}}},
                  {"drag left past the end", Act::kMove, 20, 70, 0, 0, true, {{H, 0}}},
                  {"drag right by 3", Act::kMove, 23, 70, 3, 3, true, {{H, 3}}},
                  {"release", Act::kUp, 23, 70, 3, 3, false, {{R, 3}}},
              });
}

// The thumb is drawn where the state says, over the background, and a drag
// repaints the track without erasing the rest of the control.
TEST_F(FaderCtrlTest, ThumbIsDrawnAtItsPlace) {
    CFaderCtrl fader;
    MakeAudioFader(fader);
    ASSERT_TRUE(fader.SetPos(200));  // thumb 50..105
    Repaint(host);
    const ResourceBitmap back(kBackground);
    const ResourceBitmap thumb(kChannelThumb);
    const auto expectColumn = [&](int top) {
        for (int y = 0; y < 267; y += 3) {
            const bool onThumb = y >= top && y < top + 55;
            ASSERT_EQ(WindowPixel(fader, 14, y), onThumb ? thumb.Pixel(11, y - top) : back.Pixel(14, y)) << y;
        }
        EXPECT_EQ(WindowPixel(fader, 3, top), thumb.Pixel(0, 0));
        EXPECT_EQ(WindowPixel(fader, 26, top + 54), thumb.Pixel(23, 54));
        EXPECT_EQ(WindowPixel(fader, 2, top + 20), back.Pixel(2, top + 20));
    };
    expectColumn(50);

    Scribble(fader, 28, 267);
    fader.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(14, 60));
    fader.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(14, 90));
    fader.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(14, 90));
    EXPECT_EQ(WindowPixel(fader, 1, 100), kScribble) << "outside the track nothing is repainted";
    EXPECT_EQ(WindowPixel(fader, 27, 266), kScribble);
    Repaint(host);
    expectColumn(80);
}

TEST_F(FaderCtrlTest, MaskedThumbShowsTheBackgroundThroughItsMaskColour) {
    const ResourceBitmap back(kBackground);
    const ResourceBitmap thumb(kChannelThumb);
    const COLORREF corner = thumb.Pixel(0, 54);  // the thumb's shadow colour
    ASSERT_NE(corner, thumb.Pixel(11, 27));
    CFaderCtrl fader;
    MakeAudioFader(fader, corner);
    EXPECT_TRUE(fader.HasImageList());
    ASSERT_TRUE(fader.SetPos(0));  // thumb 212..267
    Repaint(host);
    EXPECT_EQ(WindowPixel(fader, 3, 266), back.Pixel(3, 266));
    EXPECT_EQ(WindowPixel(fader, 14, 239), thumb.Pixel(11, 27));

    CFaderCtrl plain;
    MakeAudioFader(plain);
    EXPECT_FALSE(plain.HasImageList());
    ASSERT_TRUE(plain.SetPos(0));
    Repaint(host);
    EXPECT_EQ(WindowPixel(plain, 3, 266), corner);

    // A horizontal fader's image list cuts the thumb to the track's height.
    CFaderCtrl cut;
    ASSERT_TRUE(cut.CreateFader(kHorizontal, 100, 10, &host, RECT{0, 0, 28, 30}, kBackground, kChannelThumb, corner));
    Repaint(host);
    EXPECT_EQ(WindowPixel(cut, 11, 27), thumb.Pixel(11, 27));
    EXPECT_EQ(WindowPixel(cut, 11, 40), back.Pixel(11, 40));
}

TEST_F(FaderCtrlTest, ValueTextIsCentredInItsBox) {
    constexpr COLORREF kBox = RGB(0, 0, 128);
    constexpr COLORREF kInk = RGB(255, 255, 0);
    const HFONT font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    const RECT track{3, 5, 27, 200};
    CFaderCtrl refused;
    EXPECT_FALSE(refused.CreateFaderWithText(kVertical, 0, 0, &host, track, kBackground, kChannelThumb,
                                             CFaderCtrl::kNoMask, RECT{2, 205, 29, 225}, font, kBox, kInk));

    CFaderCtrl fader;
    ASSERT_TRUE(fader.CreateFaderWithText(kVertical, 0, 0, &host, track, kBackground, kChannelThumb,
                                          CFaderCtrl::kNoMask, RECT{0, 205, 28, 225}, font, kBox, kInk));
    EXPECT_EQ(fader.GetSafeHwnd(), nullptr) << "the caller makes the window";
    EXPECT_FALSE(fader.SetTextFont(nullptr));
    ASSERT_TRUE(fader.Create(nullptr, nullptr, 0, RECT{10, 10, 38, 277}, &host, 0));
    ASSERT_TRUE(fader.SetRange(0, 255));
    ASSERT_TRUE(fader.SetPos(42));
    Repaint(host);
    const auto inkPixels = [&] {
        const std::vector<COLORREF> pixels = widgettest::WindowPixels(fader, 28, 225);
        return std::count(pixels.begin() + 28 * 205, pixels.end(), kInk);
    };
    EXPECT_EQ(WindowPixel(fader, 0, 205), kBox);
    EXPECT_EQ(WindowPixel(fader, 27, 224), kBox);
    const auto ink42 = inkPixels();
    EXPECT_GT(ink42, 0);

    // A press and a range change repaint the text with the new value; text
    // wider than the box is left out, the box still filled.
    fader.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(14, 190));
    fader.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(14, 190));
    EXPECT_EQ(fader.GetPos(), 0);
    EXPECT_NE(inkPixels(), ink42);
    ASSERT_TRUE(fader.SetRange(-2000000000, 2000000000));
    EXPECT_EQ(fader.GetPos(), -2000000000);
    EXPECT_EQ(inkPixels(), 0);
    EXPECT_EQ(WindowPixel(fader, 14, 215), kBox);
}

}  // namespace
