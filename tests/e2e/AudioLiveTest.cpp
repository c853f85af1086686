// End to end: the Audio window with the stand-in library's motor faders. An
// on-screen drag moves the panel's fader and holds it; letting go hands it
// back, and the panel's own movements show again.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "device/CDeviceLibrary.h"
#include "panels/AudioLayout.h"
#include "panels/CAudioPanelDlg.h"
#include "tests/e2e/LiveControl.h"
#include "tests/e2e/LivePanelTest.h"
#include "tests/panels/PanelTestSupport.h"
#include "tests/support/TestWindows.h"

namespace {
// The panel's nine fader positions as "status audio" gives them ("180*" = held).
std::vector<std::string> PanelFaders() {
    const std::string status = Control("status audio");
    const size_t at = status.find(" faders ");
    std::vector<std::string> out;
    if (at == std::string::npos) return out;
    std::istringstream in(status.substr(at + 8));
    for (std::string word; out.size() < kAudioFaderCount && in >> word;) out.push_back(word);
    return out;
}

class AudioLiveTest : public LivePanelTest<CAudioPanelDlg> {
protected:
    HWND FaderWnd(int i) const { return wnd->Fader(i)->GetSafeHwnd(); }
    POINT ThumbCentre(int i) const {
        RECT r;
        wnd->Fader(i)->GetThumbRect(&r);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    void Mouse(int i, UINT msg, POINT p) {
        ::SendMessageW(FaderWnd(i), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(p.x, p.y));
        PumpMessages();
    }
    bool WindowShows(const std::vector<std::string>& panel) const {
        if (panel.size() != kAudioFaderCount) return false;
        for (int i = 0; i < kAudioFaderCount; ++i)
            if (std::to_string(wnd->Fader(i)->GetPos()) != panel[static_cast<size_t>(i)]) return false;
        return true;
    }
};

TEST_F(AudioLiveTest, ConnectionShowsWhereThePanelsFadersStand) {
    EXPECT_TRUE(PumpUntil([&] { return WindowShows(PanelFaders()); })) << Control("status audio");
}

TEST_F(AudioLiveTest, DragMovesAndHoldsThePanelFaderReleaseHandsItBack) {
    ASSERT_EQ(Control("fader 4 200"), "ok");
    ASSERT_TRUE(PumpUntil([&] { return wnd->Fader(3)->GetPos() == 200; }));
    const POINT start = ThumbCentre(3);
    Mouse(3, WM_LBUTTONDOWN, start);
    // 81 pixels down from value 200 (offset 162) is offset 81: value 100.
    const POINT end{start.x, start.y + 81};
    Mouse(3, WM_MOUSEMOVE, end);
    ASSERT_EQ(wnd->Fader(3)->GetPos(), 100);
    EXPECT_TRUE(PumpUntil([&] { return PanelFaders().at(3) == "100*"; })) << Control("status audio");
    // A hand on the held fader is refused; another fader moves and shows.
    EXPECT_NE(Control("fader 4 10"), "ok");
    ASSERT_EQ(Control("fader 2 77"), "ok");
    EXPECT_TRUE(PumpUntil([&] { return wnd->Fader(1)->GetPos() == 77; }));
    EXPECT_EQ(wnd->Fader(3)->GetPos(), 100);
    Mouse(3, WM_LBUTTONUP, end);
    EXPECT_TRUE(PumpUntil([&] { return PanelFaders().at(3) == "100"; })) << Control("status audio");
    ASSERT_EQ(Control("fader 4 30"), "ok");
    EXPECT_TRUE(PumpUntil([&] { return wnd->Fader(3)->GetPos() == 30; }));
    EXPECT_TRUE(WindowShows(PanelFaders())) << Control("status audio");
}

TEST_F(AudioLiveTest, MasterReportsDriveTheIndicatorLeds) {
    ASSERT_EQ(Control("fader master 230"), "ok");
    EXPECT_TRUE(PumpUntil([&] { return Control("status audio").find("lamps OVER") != std::string::npos; }))
        << Control("status audio");
    ASSERT_EQ(Control("fader master 20"), "ok");
    EXPECT_TRUE(PumpUntil([&] { return Control("status audio").find("lamps DATA") != std::string::npos; }))
        << Control("status audio");
}
}  // namespace
