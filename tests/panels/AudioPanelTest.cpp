// The Audio window against the fake device manager: its controls, the reports
// it shows, the commands it sends and when, and the re-syncs with the panel.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "contract/PanelIids.h"
#include "panels/AudioLayout.h"
#include "panels/CAudioPanelDlg.h"
#include "res/resource.h"
#include "tests/panels/PanelTestSupport.h"
#include "tests/support/TestWindows.h"

using Log = std::vector<std::string>;

namespace {
using Bytes = std::initializer_list<std::pair<int, std::uint8_t>>;

// Channel thumbs start at the top of the track (3, 5, 27, 267) and are 24 x 55.
constexpr POINT kThumbAtTop = {15, 30};

class AudioPanelTest : public PanelWindowTest<CAudioPanelDlg, kPanelAudio> {
protected:
    int Pos(int fader) const { return wnd->Fader(fader)->GetPos(); }
    HWND FaderWnd(int fader) const { return wnd->Fader(fader)->GetSafeHwnd(); }
    void SetState(Bytes bytes) {
        fake.Audio().state = PanelStatus{};
        for (auto [byte, value] : bytes) fake.Audio().state.bytes[byte] = value;
    }
    void SetPending(std::int32_t word) { WriteLe32(fake.Audio().deviceStatus.bytes, kStatusPendingOffset, word); }
    void Press(int fader, POINT p) {
        ::SendMessageW(FaderWnd(fader), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        PumpMessages();
    }
    void Drag(int fader, POINT p) {
        ::SendMessageW(FaderWnd(fader), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        PumpMessages();
    }
    void Release(int fader, POINT p) {
        ::SendMessageW(FaderWnd(fader), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        PumpMessages();
    }
    // Device calls since a mark, without the audio.device prefix.
    Log Calls(size_t mark) const {
        Log out;
        for (const std::string& call : LogSince(fake.log, mark))
            if (call.rfind("audio.device.", 0) == 0) out.push_back(call.substr(13));
        return out;
    }
    size_t Mark() const { return fake.log.calls.size(); }
    bool PumpUntil(const std::function<bool()>& done) {
        for (int round = 0; round < 400 && !done(); ++round) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            PumpMessages();
        }
        return done();
    }
    // The nine hand-back commands of a state block's positions.
    static Log HandBack(std::initializer_list<int> positions) {
        Log out{"GetState"};
        int i = 0;
        for (int pos : positions) out.push_back("SetFader(" + std::to_string(i++) + ",0," + std::to_string(pos) + ")");
        return out;
    }
};

void ExpectRect(HWND h, int x, int y, int w, int hgt) {
    ASSERT_NE(h, nullptr);
    const RECT r = ChildRect(h);
    EXPECT_EQ(r.left, x);
    EXPECT_EQ(r.top, y);
    EXPECT_EQ(r.right - r.left, w);
    EXPECT_EQ(r.bottom - r.top, hgt);
}

TEST_F(AudioPanelTest, OpenPlacesEveryControlAndAcquiresThePanelLast) {
    // At the first call into the library every control must already exist: the
    // first report may arrive right after Advise.
    std::vector<std::string> seen;
    fake.log.onCall = [&](const std::string& call) {
        if (!seen.empty()) return;
        CFaderCtrl* master = wnd ? wnd->Fader(kAudioMasterFader) : nullptr;
        seen.push_back(call + (master && ::IsWindow(master->GetSafeHwnd()) ? " master" : "") +
                       (wnd && wnd->ChannelFaderCount() == 8 ? " channels" : ""));
    };
    OpenWindow();
    fake.log.onCall = nullptr;
    EXPECT_EQ(seen, (Log{"CreateDeviceManager master channels"}));
    EXPECT_TRUE(wnd->HasDevice());
    EXPECT_TRUE(wnd->HasEvents());
    for (const AudioKeyLayout& key : kAudioKeys) {
        SCOPED_TRACE(key.id);
        ExpectRect(Item(static_cast<int>(key.id)), key.x, key.y, kAudioKeySize, kAudioKeySize);
        EXPECT_EQ(&wnd->Key(static_cast<int>(&key - kAudioKeys)), CWnd::FromHandle(Item(static_cast<int>(key.id))));
        EXPECT_EQ(wnd->Key(static_cast<int>(&key - kAudioKeys)).GetLamp(), 0);
    }
    ExpectRect(Item(IDC_AUDIO_OVER), 375, 23, 12, 10);
    ExpectRect(Item(IDC_AUDIO_DATA), 375, 52, 12, 10);
    const int xs[kAudioFaderCount] = {22, 61, 100, 139, 178, 217, 256, 295, 369};
    for (int i = 0; i < kAudioFaderCount; ++i) {
        SCOPED_TRACE(i);
        ExpectRect(FaderWnd(i), xs[i], 100, 28, 267);
        EXPECT_EQ(Pos(i), 255);
    }
    EXPECT_TRUE(IsChecked(Hwnd(), IDC_MODE_NORMAL));
    EXPECT_TRUE(Calls(0).empty());
}

TEST_F(AudioPanelTest, KeyShowsPressedWhileHeldAndItsLampTogglesOnRelease) {
    OpenWindow();
    const size_t mark = Mark();
    // 2/6_R: group 3 bit 2, LED 26.
    Report({{5, 0x04}}, {{5, 0x04}});
    EXPECT_TRUE(Pushed(IDC_AUDIO_26R));
    EXPECT_TRUE(Calls(mark).empty());
    Report({{5, 0x04}}, {});
    EXPECT_FALSE(Pushed(IDC_AUDIO_26R));
    EXPECT_EQ(wnd->Key(26).GetLamp(), 1);
    Report({{5, 0x04}}, {{5, 0x04}});
    Report({{5, 0x04}}, {});
    EXPECT_EQ(wnd->Key(26).GetLamp(), 0);
    // Func and 8_B released in one report: group order, then bit order.
    Report({{2, 0x01}, {4, 0x02}}, {});
    EXPECT_EQ(Calls(mark), (Log{"SetLed(26,1)", "SetLed(26,0)", "SetLed(0,1)", "SetLed(17,1)"}));
}

// Three presses and releases that reach the window in one batch: each release
// toggles from the one before and sends its LED, and the lamp window ends lit.
TEST_F(AudioPanelTest, ReleasesInOneBatchToggleTheLampInTurn) {
    OpenWindow();
    const size_t mark = Mark();
    for (int i = 0; i < 3; ++i) {
        for (const std::uint8_t state : {std::uint8_t{0x04}, std::uint8_t{0x00}}) {
            PanelChanges c{};
            PanelStatus s{};
            c.bytes[5] = 0x04;
            s.bytes[5] = state;
            fake.Events(kPanelAudio).sink->OnPanelReport(&IID_TqAudioEvents, &c, &s);
        }
    }
    PumpReports(*wnd);
    EXPECT_EQ(Calls(mark), (Log{"SetLed(26,1)", "SetLed(26,0)", "SetLed(26,1)"}));
    EXPECT_EQ(wnd->Key(26).GetLamp(), 1);
    EXPECT_TRUE(::IsWindowVisible(wnd->Key(26).Lamp().GetSafeHwnd()));
}

TEST_F(AudioPanelTest, MasterReportSetsIndicatorsAndLedsInOrder) {
    OpenWindow();
    struct Case {
        std::uint8_t master;
        bool over, data;
    };
    const Case cases[] = {{199, false, false}, {200, true, false}, {56, false, true},
                          {57, false, false},  {0, false, true},   {255, true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.master));
        const size_t mark = Mark();
        Report({{7, 1}}, {{14, c.master}});
        EXPECT_EQ(Pos(kAudioMasterFader), c.master);
        EXPECT_EQ(Pushed(IDC_AUDIO_OVER), c.over);
        EXPECT_EQ(Pushed(IDC_AUDIO_DATA), c.data);
        EXPECT_EQ(Calls(mark),
                  (Log{"SetLed(29," + std::to_string(c.over) + ")", "SetLed(30," + std::to_string(c.data) + ")"}));
    }
    Report({{6, 0x24}}, {{8, 17}, {11, 99}});
    EXPECT_EQ(Pos(2), 17);
    EXPECT_EQ(Pos(5), 99);
    EXPECT_EQ(Pos(0), 255);
}

TEST_F(AudioPanelTest, DragSendsHeldPositionsAndReleaseHandsAllNineBack) {
    OpenWindow();
    SetState({{6, 10}, {7, 20}, {8, 30}, {9, 40}, {10, 50}, {11, 60}, {12, 70}, {13, 80}, {14, 90}});
    const size_t mark = Mark();
    Press(2, kThumbAtTop);
    // 104 pixels down from the top leaves the thumb at offset 103: value 127.
    Drag(2, {kThumbAtTop.x, kThumbAtTop.y + 104});
    EXPECT_EQ(Pos(2), 127);
    // A report does not move the held fader.
    Report({{6, 0x04}}, {{8, 3}});
    EXPECT_EQ(Pos(2), 127);
    Release(2, {kThumbAtTop.x, kThumbAtTop.y + 104});
    Log expected{"SetFader(2,1,255)", "SetFader(2,1,127)"};
    for (const std::string& call : HandBack({10, 20, 30, 40, 50, 60, 70, 80, 90})) expected.push_back(call);
    EXPECT_EQ(Calls(mark), expected);
    const int positions[kAudioFaderCount] = {10, 20, 30, 40, 50, 60, 70, 80, 90};
    for (int i = 0; i < kAudioFaderCount; ++i) EXPECT_EQ(Pos(i), positions[i]) << i;
}

TEST_F(AudioPanelTest, DraggedMasterLightsIndicatorsOnScreenOnly) {
    OpenWindow();
    const size_t mark = Mark();
    Press(kAudioMasterFader, kThumbAtTop);
    EXPECT_TRUE(Pushed(IDC_AUDIO_OVER));
    EXPECT_FALSE(Pushed(IDC_AUDIO_DATA));
    Drag(kAudioMasterFader, {kThumbAtTop.x, kThumbAtTop.y + 207});
    EXPECT_EQ(Pos(kAudioMasterFader), 0);
    EXPECT_FALSE(Pushed(IDC_AUDIO_OVER));
    EXPECT_TRUE(Pushed(IDC_AUDIO_DATA));
    EXPECT_EQ(Calls(mark), (Log{"SetFader(8,1,255)", "SetFader(8,1,0)"}));
    // While it is held the panel's report still drives the indicators and LEDs.
    Report({{7, 1}}, {{14, 220}});
    EXPECT_EQ(Pos(kAudioMasterFader), 0);
    EXPECT_TRUE(Pushed(IDC_AUDIO_OVER));
    Release(kAudioMasterFader, {0, 0});
}

TEST_F(AudioPanelTest, ConnectionBeforeAnyReportTakesEverythingFromTheState) {
    OpenWindow();
    SetState({{6, 11}, {7, 22}, {8, 33}, {9, 44}, {10, 55}, {11, 66}, {12, 77}, {13, 88}, {14, 210}, {15, 0x03}});
    const size_t mark = Mark();
    ASSERT_TRUE(fake.Connect(kPanelAudio, 1));
    PumpMessages();
    EXPECT_EQ(Calls(mark), (Log{"GetState", "SetLed(29,1)", "SetLed(30,0)"}));
    const int positions[kAudioFaderCount] = {11, 22, 33, 44, 55, 66, 77, 88, 210};
    for (int i = 0; i < kAudioFaderCount; ++i) EXPECT_EQ(Pos(i), positions[i]) << i;
    EXPECT_TRUE(Pushed(IDC_AUDIO_OVER));
    EXPECT_FALSE(Pushed(IDC_AUDIO_DATA));
    for (int k = 0; k < kAudioKeyCount; ++k) EXPECT_EQ(wnd->Key(k).GetLamp(), k < 2 ? 1 : 0) << k;
}

TEST_F(AudioPanelTest, ConnectionAfterAReportAppliesTheLatestReport) {
    OpenWindow();
    Report({{6, 0x01}}, {{6, 5}, {7, 6}, {14, 40}});
    SetState({{6, 100}, {14, 100}, {18, 0x10}});
    const size_t mark = Mark();
    ASSERT_TRUE(fake.Connect(kPanelAudio, 1));
    PumpMessages();
    // The lamps come from the state; the faders end where the report put them.
    EXPECT_EQ(Calls(mark), (Log{"GetState", "SetLed(29,0)", "SetLed(30,1)"}));
    EXPECT_EQ(Pos(0), 5);
    EXPECT_EQ(Pos(1), 6);
    EXPECT_EQ(Pos(kAudioMasterFader), 40);
    EXPECT_EQ(wnd->Key(28).GetLamp(), 1);
    EXPECT_TRUE(wnd->IsConnected());
    EXPECT_EQ(owner.received.size(), 0u);
}

TEST_F(AudioPanelTest, FailedGetStateHandsBackZeroesNotLeftovers) {
    OpenWindow();
    Report({{6, 0xFF}, {7, 1}}, {{6, 9}, {7, 9}, {8, 9}, {9, 9}, {10, 9}, {11, 9}, {12, 9}, {13, 9}, {14, 9}});
    SetState({{6, 77}, {14, 77}});
    fake.Audio().stateResult = -1;
    const size_t mark = Mark();
    Press(0, {15, 250});
    Release(0, {15, 250});
    Log calls = Calls(mark);
    ASSERT_EQ(calls.size(), 11u);
    calls.erase(calls.begin());  // the press
    EXPECT_EQ(calls, HandBack({0, 0, 0, 0, 0, 0, 0, 0, 0}));
    for (int i = 0; i < kAudioFaderCount; ++i) EXPECT_EQ(Pos(i), 0) << i;
}

TEST_F(AudioPanelTest, NormalReappliesTheReportWaitsForThePanelAndHandsBack) {
    OpenWindow();
    Report({{7, 1}}, {{14, 100}});
    SetState({{6, 1}, {7, 2}, {8, 3}, {9, 4}, {10, 5}, {11, 6}, {12, 7}, {13, 8}, {14, 9}});
    ClickButton(Hwnd(), IDC_MODE_TEST);
    EXPECT_FALSE(IsEnabled(Hwnd(), IDC_DOWNLOAD_BTN));
    const size_t mark = Mark();
    SetPending(1);
    ClickButton(Hwnd(), IDC_MODE_NORMAL);
    EXPECT_TRUE(IsEnabled(Hwnd(), IDC_DOWNLOAD_BTN));
    EXPECT_TRUE(wnd->WaitsForPanel());
    EXPECT_EQ(Calls(mark), (Log{"SetMode(0)", "SetLed(29,0)", "SetLed(30,0)", "GetDeviceStatus"}));
    // The window keeps handling messages while the panel is busy.
    Report({{6, 0x01}}, {{6, 200}});
    EXPECT_EQ(Pos(0), 200);
    SetPending(0);
    ASSERT_TRUE(PumpUntil([&] { return !wnd->WaitsForPanel(); }));
    Log calls = Calls(mark);
    Log tail(calls.end() - 10, calls.end());
    EXPECT_EQ(tail, HandBack({1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(calls[calls.size() - 11], "GetDeviceStatus");
    EXPECT_EQ(Pos(0), 1);
}

TEST_F(AudioPanelTest, NormalBeforeAnyReportDoesNotApplyTheEmptyPair) {
    OpenWindow();
    SetState({{14, 123}});
    const size_t mark = Mark();
    ClickButton(Hwnd(), IDC_MODE_NORMAL);
    Log expected{"SetMode(0)", "GetDeviceStatus"};
    for (const std::string& call : HandBack({0, 0, 0, 0, 0, 0, 0, 0, 123})) expected.push_back(call);
    EXPECT_EQ(Calls(mark), expected);
    EXPECT_FALSE(Pushed(IDC_AUDIO_DATA));
}

TEST_F(AudioPanelTest, AWaitThatNeverEndsIsBoundedByTimeAndFailures) {
    struct Case {
        const char* name;
        std::int32_t statusResult;
        PendingWordWait::Limits limits;
    };
    const Case cases[] = {
        {"panel stays busy", 0, {60, 1000}},
        {"status keeps failing", -1, {60000, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OpenWindow();
        wnd->SetPendingWaitLimits(c.limits);
        SetState({{6, 42}});
        SetPending(1);
        fake.Audio().deviceStatusResult = c.statusResult;
        const size_t mark = Mark();
        ClickButton(Hwnd(), IDC_MODE_NORMAL);
        ASSERT_TRUE(PumpUntil([&] { return !wnd->WaitsForPanel(); }));
        const Log calls = Calls(mark);
        ASSERT_GE(calls.size(), 11u);
        EXPECT_EQ(Log(calls.end() - 10, calls.end()), HandBack({42, 0, 0, 0, 0, 0, 0, 0, 0}));
        if (c.statusResult < 0) {
            EXPECT_EQ(std::count(calls.begin(), calls.end(), "GetDeviceStatus"), 4);
        }
        wnd->DestroyWindow();
        wnd.reset();
        fake.Audio().deviceStatusResult = 0;
    }
}

TEST_F(AudioPanelTest, TestDuringTheWaitCancelsTheHandBack) {
    OpenWindow();
    SetPending(1);
    ClickButton(Hwnd(), IDC_MODE_NORMAL);
    ASSERT_TRUE(wnd->WaitsForPanel());
    ClickButton(Hwnd(), IDC_MODE_TEST);
    EXPECT_FALSE(wnd->WaitsForPanel());
    SetPending(0);
    const size_t mark = Mark();
    // Ten poll periods and more.
    int rounds = 0;
    PumpUntil([&] { return ++rounds > 20; });
    EXPECT_TRUE(Calls(mark).empty());
}

TEST_F(AudioPanelTest, WithoutDeviceEverythingStaysOnScreen) {
    fake.FailDevice(kPanelAudio);
    OpenWindow();
    EXPECT_EQ(boxes.boxes.size(), 1u);
    const size_t mark = fake.log.calls.size();
    ClickButton(Hwnd(), IDC_MODE_TEST);
    ClickButton(Hwnd(), IDC_MODE_NORMAL);
    Press(kAudioMasterFader, kThumbAtTop);
    Drag(kAudioMasterFader, {kThumbAtTop.x, kThumbAtTop.y + 207});
    Release(kAudioMasterFader, {kThumbAtTop.x, kThumbAtTop.y + 207});
    EXPECT_EQ(fake.log.calls.size(), mark);
    EXPECT_FALSE(wnd->WaitsForPanel());
    EXPECT_EQ(Pos(kAudioMasterFader), 0);
    EXPECT_TRUE(Pushed(IDC_AUDIO_DATA));
}

// The picture lies under every key, indicator and fader: a repaint of the whole
// window must leave them on top of it.
TEST_F(AudioPanelTest, WholeWindowRepaintKeepsKeysIndicatorsAndThumbsOnTop) {
    OpenWindow();
    Report({{3, 0x04}, {7, 1}}, {{3, 0x04}, {14, 255}});  // 1_B held, master at the top: OVER lit
    ASSERT_TRUE(Pushed(IDC_AUDIO_1B));
    ::RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages();
    struct Probe {
        const char* name;
        POINT at;  // in the window's client pixels
        UINT bitmap;
        POINT inBitmap;
    };
    const Probe probes[] = {
        {"pressed key", {25 + 3, 48 + 3}, IDB_AUDIO_KEY_PRESSED, {3, 3}},
        {"lit OVER", {375 + 6, 23 + 5}, kAudioLedLitBitmap, {6, 5}},
        {"channel thumb", {22 + 3 + 12, 100 + 5 + 20}, IDB_AUDIO_THUMB, {12, 20}},
        {"master thumb", {369 + 3 + 12, 100 + 5 + 20}, IDB_AUDIO_MASTER_THUMB, {12, 20}},
    };
    HDC dc = ::GetDC(Hwnd());
    for (const Probe& p : probes) {
        SCOPED_TRACE(p.name);
        const COLORREF expected = BitmapPixel(p.bitmap, p.inBitmap.x, p.inBitmap.y);
        ASSERT_NE(expected, CLR_INVALID);
        // The picture itself differs there, or the probe would prove nothing.
        EXPECT_NE(BitmapPixel(IDB_AUDIO_PANEL, p.at.x - 2, p.at.y - 2), expected);
        EXPECT_EQ(::GetPixel(dc, p.at.x, p.at.y), expected);
    }
    ::ReleaseDC(Hwnd(), dc);
}

TEST_F(AudioPanelTest, TeardownInDestroyRemovesFadersBeforeReleasing) {
    OpenWindow();
    const HWND channel = FaderWnd(7);
    const HWND master = FaderWnd(kAudioMasterFader);
    std::vector<std::string> seen;
    fake.log.onCall = [&](const std::string& call) {
        seen.push_back(call + (::IsWindow(channel) ? " channel" : "") + (::IsWindow(master) ? " master" : ""));
    };
    wnd->DestroyWindow();
    fake.log.onCall = nullptr;
    EXPECT_EQ(seen, (Log{"audio.device.Release", "audio.events.Unadvise", "audio.events.Release", "manager.Release"}));
    EXPECT_EQ(wnd->ChannelFaderCount(), 0u);
    EXPECT_EQ(wnd->Fader(kAudioMasterFader), nullptr);
    wnd.reset();
    EXPECT_EQ(fake.OutstandingRefs(), 0);
    EXPECT_EQ(fake.OverReleases(), 0);
}
}  // namespace
