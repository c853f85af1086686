// CDialCtrl: geometry, count handling and the marks and ball circle as they
// land in the window, read back from the window's DC.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "tests/widgets/WidgetTestSupport.h"
#include "widgets/CDialCtrl.h"

namespace {

using dial::Mark;
using dial::Mode;
using dial::Point;
using widgettest::HostWindow;
using widgettest::kScribble;
using widgettest::Pump;
using widgettest::ResourceBitmap;
using widgettest::Scribble;
using widgettest::WindowPixel;
using widgettest::WindowPixels;

constexpr UINT kDialSkin = 177;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

class DialCtrlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.Open(400, 400));
        ASSERT_TRUE(skin.Loaded());
    }

    // Made the way the Jog & Shuttle window makes its dial.
    std::unique_ptr<CDialCtrl> MakeJogDial(Mode mode = Mode::kOff) {
        auto d = std::make_unique<CDialCtrl>(kDialSkin);
        EXPECT_TRUE(d->Create(nullptr, nullptr, WS_VISIBLE, RECT{88, 188, 197, 297}, &host, 1062));
        d->MoveWindow(71, 171, 139, 139, TRUE);
        d->SetMode(mode);
        d->SetCount(0);
        d->Rotate(0);
        return d;
    }

    // Drawing coordinates (origin at the centre, y up) to client pixels.
    static POINT Device(const CDialCtrl& d, Point p) {
        RECT rc{};
        d.GetClientRect(&rc);
        return POINT{p.x + rc.right / 2, rc.bottom / 2 - p.y};
    }
    static COLORREF At(const CDialCtrl& d, Point p) {
        const POINT q = Device(d, p);
        return WindowPixel(d, q.x, q.y);
    }
    COLORREF SkinAt(const CDialCtrl& d, Point p) const {
        const POINT q = Device(d, p);
        return skin.Pixel(q.x, q.y);
    }
    // The mark is a 3-pixel white line between its end points.
    void ExpectMarkDrawn(const CDialCtrl& d, const Mark& m) {
        EXPECT_EQ(At(d, m.outer), kWhite) << "outer end " << m.outer.x << "," << m.outer.y;
        EXPECT_EQ(At(d, m.inner), kWhite) << "inner end " << m.inner.x << "," << m.inner.y;
        const Point mid{(m.outer.x + m.inner.x) / 2, (m.outer.y + m.inner.y) / 2};
        EXPECT_EQ(At(d, mid), kWhite) << "middle " << mid.x << "," << mid.y;
    }
    void ExpectSkinAt(const CDialCtrl& d, Point p) {
        EXPECT_EQ(At(d, p), SkinAt(d, p)) << "skin at " << p.x << "," << p.y;
    }

    HostWindow host;
    ResourceBitmap skin{kDialSkin};
};

TEST_F(DialCtrlTest, JogDialGeometryFromItsFinalSize) {
    auto d = MakeJogDial();
    EXPECT_EQ(d->GetOuterPoint(), (Point{0, 46}));
    EXPECT_EQ(d->GetInnerPoint(), (Point{0, 30}));
    EXPECT_EQ(d->GetDlgCtrlID(), 1062);
    // Taken once: a later mode or size does not change it.
    d->SetMode(Mode::kKnob);
    d->MoveWindow(71, 171, 41, 41, TRUE);
    d->Rotate(0);
    EXPECT_EQ(d->GetOuterPoint(), (Point{0, 46}));
}

TEST_F(DialCtrlTest, GeometryStepZeroesTheCount) {
    auto d = std::make_unique<CDialCtrl>(kDialSkin);
    ASSERT_TRUE(d->Create(nullptr, nullptr, WS_VISIBLE, RECT{10, 10, 51, 51}, &host, 1062));
    d->SetMode(Mode::kKnob);
    d->SetCount(50);
    d->Rotate(3);
    EXPECT_EQ(d->GetOuterPoint(), (Point{0, 11}));
    EXPECT_EQ(d->GetInnerPoint(), (Point{0, 1}));
    EXPECT_EQ(d->GetCount(), 3);
    EXPECT_EQ(d->GetLastMark(), dial::MarkAt({0, 11}, {0, 1}, 5));
}

TEST_F(DialCtrlTest, RestMarkStraightUp) {
    auto d = MakeJogDial();
    d->PaintSkin();
    d->Rotate(123);  // OFF ignores the argument
    EXPECT_EQ(d->GetCount(), 0);
    const Mark rest{{0, 46}, {0, 30}};
    EXPECT_EQ(d->GetLastMark(), rest);
    ExpectMarkDrawn(*d, rest);
    ExpectSkinAt(*d, {0, 52});
    ExpectSkinAt(*d, {0, 24});
    ExpectSkinAt(*d, {4, 38});
    ExpectSkinAt(*d, {-4, 38});
}

struct JogCase {
    int count;
    int nCount;
    Mark mark;
    int countAfter;
};

TEST_F(DialCtrlTest, JogMarksFollowTheCount) {
    auto d = MakeJogDial(Mode::kJog);
    const JogCase cases[] = {
        {0, 72, {{46, 0}, {30, 0}}, 72},      // 90 degrees
        {0, 36, {{32, 32}, {21, 21}}, 36},    // 45 degrees
        {287, 1, {{0, 46}, {0, 30}}, 0},      // 360, wraps
        {0, -288, {{0, 46}, {0, 30}}, 0},     // -360, wraps
        {0, 600, {{22, 39}, {14, 25}}, 312},  // 750, wraps once
        {0, -72, {{-46, 0}, {-30, 0}}, -72},
    };
    Mark previous{{0, 46}, {0, 30}};
    for (const JogCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " + " << c.nCount);
        d->SetCount(c.count);
        d->Rotate(c.nCount);
        EXPECT_EQ(d->GetCount(), c.countAfter);
        EXPECT_EQ(d->GetLastMark(), c.mark);
        ExpectMarkDrawn(*d, c.mark);
        // The skin wiped the mark before.
        if (!(previous == c.mark)) {
            const Point mid{(previous.outer.x + previous.inner.x) / 2, (previous.outer.y + previous.inner.y) / 2};
            ExpectSkinAt(*d, mid);
        }
        previous = c.mark;
    }
}

TEST_F(DialCtrlTest, ExactPixelsOfTheQuarterTurnMark) {
    auto d = MakeJogDial(Mode::kJog);
    d->Rotate(72);
    // 139 x 139: the centre is client pixel (69, 69); the mark runs from
    // (115, 69) to (99, 69), three pixels thick.
    for (int x = 99; x <= 115; ++x) {
        EXPECT_EQ(WindowPixel(*d, x, 68), kWhite) << x;
        EXPECT_EQ(WindowPixel(*d, x, 69), kWhite) << x;
        EXPECT_EQ(WindowPixel(*d, x, 70), kWhite) << x;
    }
    for (int x = 101; x <= 113; ++x) {
        EXPECT_EQ(WindowPixel(*d, x, 66), skin.Pixel(x, 66)) << x;
        EXPECT_EQ(WindowPixel(*d, x, 72), skin.Pixel(x, 72)) << x;
    }
    EXPECT_EQ(WindowPixel(*d, 95, 69), skin.Pixel(95, 69));
    EXPECT_EQ(WindowPixel(*d, 119, 69), skin.Pixel(119, 69));
}

TEST_F(DialCtrlTest, ShuttleIsAPositionAndRepaintsTheSame) {
    auto d = MakeJogDial(Mode::kShuttle);
    d->SetCount(55);
    d->Rotate(-7);  // 8 degrees anticlockwise
    EXPECT_EQ(d->GetCount(), -7);
    const Mark m{{-6, 45}, {-4, 29}};
    EXPECT_EQ(d->GetLastMark(), m);
    ExpectMarkDrawn(*d, m);
    const std::vector<COLORREF> drawn = WindowPixels(*d, 139, 139);
    d->Invalidate(TRUE);
    d->UpdateWindow();
    Pump();
    EXPECT_EQ(d->GetCount(), -7);
    EXPECT_EQ(WindowPixels(*d, 139, 139), drawn);
}

TEST_F(DialCtrlTest, OffDrawsOverWhatIsShown) {
    auto d = MakeJogDial(Mode::kJog);
    d->Rotate(72);
    d->SetMode(Mode::kOff);
    d->Rotate(5);
    EXPECT_EQ(d->GetCount(), 72);
    ExpectMarkDrawn(*d, Mark{{46, 0}, {30, 0}});  // still there: no skin painted
    ExpectMarkDrawn(*d, Mark{{0, 46}, {0, 30}});
}

TEST_F(DialCtrlTest, UnknownModeDrawsNothing) {
    auto d = MakeJogDial(Mode::kJog);
    d->Rotate(36);
    d->SetMode(Mode::kNone);
    const std::vector<COLORREF> before = WindowPixels(*d, 139, 139);
    d->Rotate(72);
    EXPECT_EQ(d->GetCount(), 36);
    d->Invalidate(TRUE);
    d->UpdateWindow();
    Pump();
    EXPECT_EQ(WindowPixels(*d, 139, 139), before);
    EXPECT_EQ(d->GetCount(), 36);
}

// Painting changes no state: a JOG count left beyond a turn is shown as it is
// by a repaint and wrapped by the next Rotate.
TEST_F(DialCtrlTest, RepaintShowsAJogCountBeyondATurnAndRotateWrapsIt) {
    auto d = MakeJogDial(Mode::kJog);
    d->SetCount(300);
    d->Invalidate(TRUE);
    d->UpdateWindow();
    Pump();
    const Mark at375 = dial::MarkAt({0, 46}, {0, 30}, 375);
    ExpectMarkDrawn(*d, at375);
    EXPECT_EQ(d->GetCount(), 300);
    d->Rotate(0);
    EXPECT_EQ(d->GetCount(), 12);
    EXPECT_EQ(d->GetLastMark(), at375);
}

// A paint the dial asked for shows what its calls changed; a redraw asked for
// from outside (the window shown, moved, exposed, or invalidated by its owner)
// shows the state as a repaint always has: in OFF only the mark at rest, over
// whatever is below.
TEST_F(DialCtrlTest, RedrawFromOutsideShowsTheStateOwnPaintsOnlyTheChange) {
    auto d = MakeJogDial(Mode::kOff);
    d->PaintSkin();
    d->Rotate(0);
    const Mark rest{{0, 46}, {0, 30}};
    const Mark right{{46, 0}, {30, 0}};
    const Point aside{-30, -30};
    ExpectMarkDrawn(*d, rest);
    ExpectSkinAt(*d, aside);

    // OFF puts its mark at rest over whatever is below, whoever asked.
    Scribble(*d, 139, 139);
    d->Rotate(0);
    ExpectMarkDrawn(*d, rest);
    EXPECT_EQ(At(*d, aside), kScribble);
    Scribble(*d, 139, 139);
    d->Invalidate(TRUE);
    ExpectMarkDrawn(*d, rest);
    EXPECT_EQ(At(*d, aside), kScribble);

    // A mode set without a Rotate shows at a redraw from outside, not at the
    // dial's own paint.
    d->SetMode(Mode::kJog);
    d->Rotate(72);
    d->SetMode(Mode::kOff);
    ExpectMarkDrawn(*d, right);
    ExpectSkinAt(*d, {0, 38});
    d->Invalidate(TRUE);
    ExpectMarkDrawn(*d, right);
    ExpectMarkDrawn(*d, rest);

    // So does a count; the redraw changes no state.
    d->SetMode(Mode::kJog);
    d->SetCount(-72);
    d->Invalidate(TRUE);
    ExpectMarkDrawn(*d, Mark{{-46, 0}, {-30, 0}});
    ExpectSkinAt(*d, {0, 38});
    ExpectSkinAt(*d, {38, 0});
    EXPECT_EQ(d->GetLastMark(), right);
    EXPECT_EQ(d->GetCount(), -72);
}

TEST_F(DialCtrlTest, KnobWrapsAfterTheAngle) {
    auto d = std::make_unique<CDialCtrl>(kDialSkin);
    ASSERT_TRUE(d->Create(nullptr, nullptr, WS_VISIBLE, RECT{75, 74, 116, 115}, &host, 1062));
    d->SetMode(Mode::kKnob);
    d->Rotate(0);
    d->SetCount(200);
    d->Rotate(1);
    EXPECT_EQ(d->GetCount(), 0);
    EXPECT_EQ(d->GetLastMark(), dial::MarkAt({0, 11}, {0, 1}, 361));
    d->SetCount(-200);
    d->Rotate(-1);
    EXPECT_EQ(d->GetCount(), 0);
    EXPECT_EQ(d->GetLastMark(), dial::MarkAt({0, 11}, {0, 1}, -361));
}

class RingTest : public DialCtrlTest {
protected:
    // Made the way the Trackball window makes its ring (with the jog skin).
    std::unique_ptr<CDialCtrl> MakeRing() {
        auto d = std::make_unique<CDialCtrl>(kDialSkin);
        EXPECT_TRUE(d->Create(nullptr, nullptr, WS_VISIBLE, RECT{68, 65, 260, 257}, &host, 1062));
        d->MoveWindow(57, 54, 193, 193, TRUE);
        EXPECT_TRUE(d->SetEllipticRegion(RECT{0, 0, 193, 193}));
        d->SetMode(Mode::kRing);
        d->SetCount(0);
        d->Rotate(0);
        return d;
    }
    // A 10-pixel circle with a black outline and a white inside around p.
    void ExpectBallAt(const CDialCtrl& d, Point p) {
        EXPECT_EQ(At(d, p), kWhite) << "inside " << p.x << "," << p.y;
        int black = 0;
        for (int dx = -6; dx <= 6; ++dx)
            if (At(d, Point{p.x + dx, p.y}) == kBlack) ++black;
        EXPECT_GE(black, 2) << "outline around " << p.x << "," << p.y;
    }
};

TEST_F(RingTest, FreshRingShowsMarkUpAndBallInTheMiddle) {
    auto d = MakeRing();
    EXPECT_EQ(d->GetOuterPoint(), (Point{0, 90}));
    EXPECT_EQ(d->GetInnerPoint(), (Point{0, 65}));
    const Mark up{{0, 90}, {0, 65}};
    EXPECT_EQ(d->GetRingMark(), up);
    ExpectMarkDrawn(*d, up);
    ExpectBallAt(*d, {0, 0});
}

TEST_F(RingTest, BallMarkMovesTheCircleAndKeepsTheRingMark) {
    auto d = MakeRing();
    d->Rotate(50);  // 90 degrees
    const Mark right{{90, 0}, {65, 0}};
    EXPECT_EQ(d->GetRingMark(), right);
    d->SetBallMark(10, 5);
    EXPECT_EQ(d->GetBallMovement(), (Point{10, 5}));
    ExpectBallAt(*d, {8, 6});
    ExpectSkinAt(*d, {0, 0});  // the old circle is gone
    ExpectMarkDrawn(*d, right);
    d->SetBallMark(-50, 20);
    ExpectBallAt(*d, {-45, 21});
    ExpectSkinAt(*d, {8, 6});
    // A movement of the ring keeps the ball where it is.
    d->Rotate(-50);
    ExpectBallAt(*d, {-45, 21});
    ExpectMarkDrawn(*d, Mark{{0, 90}, {0, 65}});
}

TEST_F(RingTest, RegionCutsTheCorners) {
    auto d = MakeRing();
    const HRGN probe = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(::GetWindowRgn(*d, probe), ERROR);
    EXPECT_FALSE(::PtInRegion(probe, 2, 2));
    EXPECT_TRUE(::PtInRegion(probe, 96, 96));
    ::DeleteObject(probe);
}

// A dial that counts its paints.
class CountingDial : public CDialCtrl {
public:
    explicit CountingDial(UINT nBitmapId) : CDialCtrl(nBitmapId) {}
    int paints = 0;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_PAINT) ++paints;
        return CDialCtrl::WindowProc(msg, wp, lp);
    }
};

using DialCall = std::function<void(CDialCtrl&)>;
DialCall Turn(int n) {
    return [n](CDialCtrl& d) { d.Rotate(n); };
}
DialCall SwitchTo(Mode mode) {
    return [mode](CDialCtrl& d) { d.SetMode(mode); };
}
DialCall Ball(int x, int y) {
    return [x, y](CDialCtrl& d) { d.SetBallMark(x, y); };
}
DialCall Skin() {
    return [](CDialCtrl& d) { d.PaintSkin(); };
}

struct BurstCase {
    const char* what;
    Mode mode;
    int size;    // client width and height
    bool round;  // cut to the ellipse, as the Trackball's ring
    std::vector<DialCall> calls;
};

std::vector<BurstCase> BurstCases() {
    BurstCase jog{"JOG both ways across whole turns", Mode::kJog, 139, false, {}};
    for (int i = 0; i < 100; ++i) jog.calls.push_back(Turn(i < 60 ? 29 : -41));
    jog.calls.push_back(Turn(600));
    BurstCase shuttle{"SHUTTLE positions", Mode::kShuttle, 139, false, {}};
    for (int i = 0; i < 100; ++i) shuttle.calls.push_back(Turn(i * 37 % 600 - 300));
    BurstCase knob{"knob across its resets", Mode::kKnob, 41, false, {}};
    for (int i = 0; i < 100; ++i) knob.calls.push_back(Turn(i % 10 == 9 ? -17 : 13));
    // The 140-pixel jog skin in the 193-pixel ring: marks and circles reach
    // beyond the skin, where whatever they drew stays.
    BurstCase ring{"ring and ball beyond a smaller skin", Mode::kRing, 193, true, {}};
    for (int i = 0; i < 100; ++i)
        ring.calls.push_back(i % 3 == 0 ? Ball(i * 7 % 101 - 50, 50 - i * 13 % 101) : Turn(i % 2 ? 17 : -9));
    // Two circles beyond the skin, overlapping; the first one drawn again ends on top.
    for (const DialCall& call : {Ball(50, 0), Ball(48, 0), Ball(50, 0), Ball(0, 0)}) ring.calls.push_back(call);
    BurstCase modes{"OFF over JOG, no mode, skin wipes",
                    Mode::kJog,
                    139,
                    false,
                    {Turn(50), SwitchTo(Mode::kOff), Turn(3), SwitchTo(Mode::kNone), Turn(9), SwitchTo(Mode::kShuttle),
                     Turn(-20), Skin(), SwitchTo(Mode::kOff), Turn(0), Skin(), Skin(), SwitchTo(Mode::kJog), Turn(100),
                     SwitchTo(Mode::kOff), Turn(1), Turn(2), SwitchTo(Mode::kDmc), Turn(40)}};
    return {jog, shuttle, knob, ring, modes};
}

// However many calls come between two paints, the one paint shows what painting
// after every call shows, and the state is the same.
TEST_F(DialCtrlTest, BurstPaintsOnceAndShowsWhatEveryCallPaintedShows) {
    for (const BurstCase& c : BurstCases()) {
        SCOPED_TRACE(c.what);
        CountingDial each(kDialSkin), burst(kDialSkin);
        int x = 2;
        for (CountingDial* d : {&each, &burst}) {
            ASSERT_TRUE(d->Create(nullptr, nullptr, WS_VISIBLE, RECT{x, 2, x + c.size, 2 + c.size}, &host, 1062));
            if (c.round) d->SetEllipticRegion(RECT{0, 0, c.size, c.size});
            d->SetMode(c.mode);
            d->SetCount(0);
            d->Rotate(0);
            x += c.size + 4;
        }
        widgettest::Repaint(host);
        burst.paints = 0;
        for (const DialCall& call : c.calls) {
            call(each);
            each.UpdateWindow();
            call(burst);
        }
        EXPECT_EQ(burst.paints, 0);
        burst.UpdateWindow();
        EXPECT_EQ(burst.paints, 1);
        EXPECT_EQ(WindowPixels(burst, c.size, c.size), WindowPixels(each, c.size, c.size));
        EXPECT_EQ(burst.GetCount(), each.GetCount());
        EXPECT_EQ(burst.GetLastMark(), each.GetLastMark());
        EXPECT_EQ(burst.GetRingMark(), each.GetRingMark());
    }
}

}  // namespace
