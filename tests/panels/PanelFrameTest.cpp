// The frame every panel window shares, for all four windows: acquisition,
// Normal/Test, closing through the main window, connection loss and teardown.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "contract/PanelIids.h"
#include "device/CDeviceLibrary.h"
#include "device/PanelMessages.h"
#include "framework/ClientFit.h"
#include "res/resource.h"
#include "tests/panels/PanelTestSupport.h"
#include "tests/support/TestWindows.h"

using Log = std::vector<std::string>;

namespace {
struct PanelCase {
    int panel;
    const char* name;
    UINT goodbye;
    const wchar_t* title;
    std::vector<int> modeControls;  // enabled by Normal, disabled by Test, with 1012
    UINT picture;                   // the picture's bitmap
    POINT pictureAt;                // where the keys over it expect its top-left pixel
};

const PanelCase kCases[] = {
    {kPanelJogShuttle,
     "jog",
     102,
     L"Jog & Shuttle Control Panel",
     {IDC_DOWNLOAD_BTN, IDC_DIAL_OFF, IDC_DIAL_JOG, IDC_DIAL_SHUTTLE, IDC_DIAL_DMC},
     IDB_JOG_PANEL,
     {1, 1}},
    {kPanelAudio, "audio", 106, L"Audio Control Panel", {IDC_DOWNLOAD_BTN}, IDB_AUDIO_PANEL, {2, 2}},
    {kPanelTrackball, "trackball", 109, L"Trackball Control Panel", {IDC_DOWNLOAD_BTN}, IDB_TRACKBALL_PANEL, {2, 2}},
    {kPanelMediaBar, "mediabar", 108, L"Media Bar Control Panel", {IDC_DOWNLOAD_BTN}, IDB_MEDIABAR_PANEL, {18, 53}},
};

// A bitmap resource of this program, read into memory.
struct BitmapCopy {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;  // top row first
    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + x]; }
};

BitmapCopy ReadBitmap(UINT id) {
    BitmapCopy copy;
    HBITMAP bmp = static_cast<HBITMAP>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BITMAP bm{};
    if (!bmp || !::GetObjectW(bmp, sizeof bm, &bm)) return copy;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = bm.bmWidth;
    info.bmiHeader.biHeight = -bm.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<RGBQUAD> bits(static_cast<size_t>(bm.bmWidth) * static_cast<size_t>(bm.bmHeight));
    HDC screen = ::GetDC(nullptr);
    const int rows = ::GetDIBits(screen, bmp, 0, bm.bmHeight, bits.data(), &info, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    ::DeleteObject(bmp);
    if (rows != bm.bmHeight) return copy;
    copy.width = bm.bmWidth;
    copy.height = bm.bmHeight;
    for (const RGBQUAD& q : bits) copy.pixels.push_back(RGB(q.rgbRed, q.rgbGreen, q.rgbBlue));
    return copy;
}

class PanelFrameTest : public ::testing::TestWithParam<PanelCase> {
protected:
    void SetUp() override { FakeDeviceManager::InstallFactory(&fake); }
    void TearDown() override {
        if (wnd) {
            wnd->DestroyWindow();
            wnd.reset();
        }
        PumpMessages();
        FakeDeviceManager::InstallFactory(nullptr);
    }

    void OpenWindow() {
        wnd = NewPanelWindow(P().panel, &owner);
        wnd->Open();
        PumpMessages();
        ASSERT_TRUE(::IsWindow(Hwnd()));
    }
    // What the main window does on the goodbye message.
    void CloseAsMainWindow() {
        wnd->DestroyWindow();
        wnd.reset();
    }
    const PanelCase& P() const { return GetParam(); }
    HWND Hwnd() const { return wnd->GetSafeHwnd(); }
    std::string Obj(const char* what) const { return std::string(P().name) + "." + what; }
    void Connect(std::int32_t state) {
        ASSERT_TRUE(fake.Connect(P().panel, state));
        PumpMessages();
    }
    void AssertStillOpen() {
        EXPECT_TRUE(::IsWindow(Hwnd()));
        EXPECT_TRUE(::IsWindowVisible(Hwnd()));
    }

    FakeDeviceManager fake;
    MessageBoxRecorder boxes;
    GoodbyeRecorder owner;
    std::unique_ptr<CPanelFrameDlg> wnd;
};

TEST_P(PanelFrameTest, OpenAcquiresOwnManagerAndPanelAndChecksNormal) {
    OpenWindow();
    EXPECT_EQ(fake.log.calls, (Log{"CreateDeviceManager", "manager.GetInterface(" + Obj("device") + ")",
                                   "manager.GetInterface(" + Obj("events") + ")", Obj("events.Advise")}));
    EXPECT_EQ(FakeDeviceManager::Creations(), 1);
    EXPECT_NE(fake.Events(P().panel).sink, nullptr);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(WindowText(Hwnd()), P().title);
    EXPECT_TRUE(IsChecked(Hwnd(), IDC_MODE_NORMAL));
    EXPECT_FALSE(IsChecked(Hwnd(), IDC_MODE_TEST));
    for (int id : P().modeControls) EXPECT_TRUE(IsEnabled(Hwnd(), id)) << id;
    EXPECT_FALSE(IsEnabled(Hwnd(), IDC_MODE_RESERVED));
    EXPECT_FALSE(IsEnabled(Hwnd(), IDC_HELP2_BTN));
    AssertStillOpen();
}

// Controls sit at fixed pixels while the template's size follows the dialog font.
TEST_P(PanelFrameTest, ItsClientAreaHoldsEverythingItPlaced) {
    OpenWindow();
    RECT client{};
    ::GetClientRect(Hwnd(), &client);
    const RECT placed = ChildrenBounds(Hwnd());
    EXPECT_LE(placed.right, client.right);
    EXPECT_LE(placed.bottom, client.bottom);
}

// The keys, lamps and dials are cut from the picture or drawn to meet it: a
// picture squeezed into its control, or moved by the font, shows their outlines
// twice and loses rows of its labels.
TEST_P(PanelFrameTest, PictureShowsItsBitmapPixelForPixelWhereTheKeysExpectIt) {
    OpenWindow();
    ::RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages();
    const BitmapCopy picture = ReadBitmap(P().picture);
    ASSERT_GT(picture.width, 0);
    RECT client;
    ::GetClientRect(Hwnd(), &client);
    const POINT o = P().pictureAt;
    // Row 5 crosses both top screws and the last column is the plate's shaded
    // edge, as far down as the window shows it; no control covers either.
    std::vector<POINT> probes;
    for (int x = 0; x < picture.width; ++x) probes.push_back({x, 5});
    for (int y = 0; y < std::min<int>(picture.height, client.bottom - o.y); ++y)
        probes.push_back({picture.width - 1, y});
    HDC dc = ::GetDC(Hwnd());
    int differ = 0;
    for (const POINT& p : probes) {
        if (::GetPixel(dc, o.x + p.x, o.y + p.y) == picture.At(p.x, p.y)) continue;
        if (differ++ == 0) ADD_FAILURE() << "first differing bitmap pixel " << p.x << "," << p.y;
    }
    EXPECT_EQ(differ, 0);
    ::ReleaseDC(Hwnd(), dc);
}

TEST_P(PanelFrameTest, CloseBoxPostsGoodbyeAndLeavesWindowToTheMainWindow) {
    OpenWindow();
    const size_t mark = fake.log.calls.size();
    wnd->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpMessages();
    ASSERT_EQ(owner.received.size(), 1u);
    EXPECT_EQ(owner.received[0].msg, P().goodbye);
    EXPECT_EQ(owner.received[0].wp, 0u);
    EXPECT_EQ(owner.received[0].lp, 0);
    AssertStillOpen();
    EXPECT_TRUE(LogSince(fake.log, mark).empty());

    wnd->SendMessage(WM_CLOSE, 0, 0);
    PumpMessages();
    EXPECT_EQ(owner.Count(P().goodbye), 2u);
    AssertStillOpen();
}

TEST_P(PanelFrameTest, EscapeAndEnterDoNothing) {
    OpenWindow();
    const HWND normal = ::GetDlgItem(Hwnd(), IDC_MODE_NORMAL);
    for (WPARAM key : {WPARAM(VK_ESCAPE), WPARAM(VK_RETURN)}) {
        MSG msg{normal, WM_KEYDOWN, key, 0, 0, {0, 0}};
        ::IsDialogMessageW(Hwnd(), &msg);
        msg.message = WM_CHAR;
        ::IsDialogMessageW(Hwnd(), &msg);
        PumpMessages();
    }
    wnd->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    wnd->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    PumpMessages();
    AssertStillOpen();
    EXPECT_TRUE(owner.received.empty());
}

TEST_P(PanelFrameTest, TestThenNormalSwitchesModeAndEnabling) {
    OpenWindow();
    const size_t mark = fake.log.calls.size();
    ClickButton(Hwnd(), IDC_MODE_TEST);
    EXPECT_TRUE(IsChecked(Hwnd(), IDC_MODE_TEST));
    EXPECT_FALSE(IsChecked(Hwnd(), IDC_MODE_NORMAL));
    for (int id : P().modeControls) EXPECT_FALSE(IsEnabled(Hwnd(), id)) << id;
    ClickButton(Hwnd(), IDC_MODE_NORMAL);
    for (int id : P().modeControls) EXPECT_TRUE(IsEnabled(Hwnd(), id)) << id;
    EXPECT_EQ(fake.log.Matching(Obj("device.SetMode")), (Log{Obj("device.SetMode(1)"), Obj("device.SetMode(0)")}));
    // Normal on the Audio window also re-reads the panel; its own tests check that.
    if (P().panel != kPanelAudio) {
        EXPECT_EQ(LogSince(fake.log, mark).size(), 2u);
    }
}

TEST_P(PanelFrameTest, ConnectionLossClosesOnlyAfterFirstConnect) {
    OpenWindow();
    // Another panel's state, and this panel's loss before it was ever connected.
    wnd->PostMessage(WM_PANEL_CONNECTION, (P().panel + 1) % kPanelCount, 0);
    PumpMessages();
    Connect(0);
    Connect(2);
    EXPECT_TRUE(owner.received.empty());
    EXPECT_FALSE(wnd->IsConnected());

    Connect(1);
    EXPECT_TRUE(wnd->IsConnected());
    EXPECT_TRUE(owner.received.empty());
    Connect(0);
    EXPECT_EQ(owner.Count(P().goodbye), 1u);
    Connect(2);
    Connect(-1);
    EXPECT_EQ(owner.Count(P().goodbye), 3u);
    for (const auto& g : owner.received) EXPECT_TRUE(g.wp == 0 && g.lp == 0);
    // Another panel's loss never closes this window.
    wnd->PostMessage(WM_PANEL_CONNECTION, (P().panel + 2) % kPanelCount, 0);
    PumpMessages();
    EXPECT_EQ(owner.received.size(), 3u);
    AssertStillOpen();
}

// A panel left in Test would meet its next window, which starts in Normal, with
// every control enabled; only a window closed in Test gives the mode back.
TEST_P(PanelFrameTest, ClosingInTestPutsThePanelBackToNormalBeforeReleasingIt) {
    struct Case {
        const char* name;
        std::vector<int> clicks;
        Log expected;
    };
    const Case cases[] = {
        {"never switched", {}, {}},
        {"closed in Test", {IDC_MODE_TEST}, {Obj("device.SetMode(0)")}},
        {"back to Normal first", {IDC_MODE_TEST, IDC_MODE_NORMAL}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OpenWindow();
        for (int id : c.clicks) ClickButton(Hwnd(), id);
        const size_t mark = fake.log.calls.size();
        CloseAsMainWindow();
        Log expected = c.expected;
        for (const char* call : {"device.Release", "events.Unadvise", "events.Release"}) expected.push_back(Obj(call));
        expected.push_back("manager.Release");
        EXPECT_EQ(LogSince(fake.log, mark), expected);
    }
}

// Reports that reach the sink before the window thread gets to them are each
// handled once, in order, and counted where outside tools can read them.
TEST_P(PanelFrameTest, ReportsQueuedBeforeOnePumpAreAllHandled) {
    OpenWindow();
    ITqEventSink* sink = fake.Events(P().panel).sink;
    ASSERT_NE(sink, nullptr);
    const PanelChanges c{};
    const PanelStatus s{};
    for (int i = 0; i < 3; ++i) sink->OnPanelReport(kEventIids[P().panel], &c, &s);
    PumpReports(*wnd);
    EXPECT_EQ(wnd->ReportsHandled(), 3u);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(::GetPropW(Hwnd(), CPanelFrameDlg::kReportsHandledProp)), 3u);
    // Other panels' reports never count here.
    sink->OnPanelReport(kEventIids[(P().panel + 1) % kPanelCount], &c, &s);
    PumpReports(*wnd);
    EXPECT_EQ(wnd->ReportsHandled(), 3u);
}

// A connection callback that names no panel must not pass for panel 0.
TEST_P(PanelFrameTest, ConnectionNamingNoPanelNeverClosesTheWindow) {
    OpenWindow();
    Connect(1);
    ITqEventSink* sink = fake.Events(P().panel).sink;
    const GUID unknown = {0xDEADBEEF, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
    sink->OnPanelConnection(nullptr, 0);
    sink->OnPanelConnection(&unknown, 0);
    PumpMessages();
    EXPECT_TRUE(owner.received.empty());
    AssertStillOpen();
}

TEST_P(PanelFrameTest, TeardownReleasesEachInterfaceOnceInOrder) {
    OpenWindow();
    const size_t mark = fake.log.calls.size();
    CloseAsMainWindow();
    EXPECT_EQ(LogSince(fake.log, mark),
              (Log{Obj("device.Release"), Obj("events.Unadvise"), Obj("events.Release"), "manager.Release"}));
    EXPECT_EQ(fake.OutstandingRefs(), 0);
    EXPECT_EQ(fake.OverReleases(), 0);
    EXPECT_EQ(fake.Events(P().panel).sink, nullptr);
}

TEST_P(PanelFrameTest, WithoutDeviceInterfaceShowsErrorAndOnlyEnables) {
    fake.FailDevice(P().panel);
    OpenWindow();
    EXPECT_EQ(boxes.Count(L"ERROR"), 1u);
    EXPECT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(fake.log.calls, (Log{"CreateDeviceManager", "manager.GetInterface(" + Obj("device") + ")"}));
    EXPECT_FALSE(wnd->HasDevice());
    EXPECT_FALSE(wnd->HasEvents());

    ClickButton(Hwnd(), IDC_MODE_TEST);
    for (int id : P().modeControls) EXPECT_FALSE(IsEnabled(Hwnd(), id)) << id;
    ClickButton(Hwnd(), IDC_MODE_NORMAL);
    for (int id : P().modeControls) EXPECT_TRUE(IsEnabled(Hwnd(), id)) << id;
    EXPECT_EQ(fake.log.calls.size(), 2u);

    CloseAsMainWindow();
    EXPECT_EQ(fake.log.calls.back(), "manager.Release");
    EXPECT_EQ(fake.log.calls.size(), 3u);
    EXPECT_EQ(fake.OutstandingRefs(), 0);
    EXPECT_EQ(fake.OverReleases(), 0);
}

TEST_P(PanelFrameTest, WithoutEventInterfaceStaysSilentAndReleasesDevice) {
    fake.FailEvents(P().panel);
    OpenWindow();
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(wnd->HasDevice());
    EXPECT_EQ(fake.log.Count(Obj("events.Advise")), 0u);
    const size_t mark = fake.log.calls.size();
    CloseAsMainWindow();
    EXPECT_EQ(LogSince(fake.log, mark), (Log{Obj("device.Release"), "manager.Release"}));
    EXPECT_EQ(fake.OutstandingRefs(), 0);
    EXPECT_EQ(fake.OverReleases(), 0);
}

TEST_P(PanelFrameTest, WithoutDeviceManagerBehavesAsWithoutDevice) {
    FakeDeviceManager::InstallFactory(nullptr);  // the factory yields no manager
    OpenWindow();
    EXPECT_EQ(boxes.Count(L"ERROR"), 1u);
    EXPECT_FALSE(wnd->HasDevice());
    ClickButton(Hwnd(), IDC_MODE_TEST);
    for (int id : P().modeControls) EXPECT_FALSE(IsEnabled(Hwnd(), id)) << id;
    ClickButton(Hwnd(), IDC_MODE_NORMAL);
    wnd->SendMessage(WM_CLOSE, 0, 0);
    PumpMessages();
    EXPECT_EQ(owner.Count(P().goodbye), 1u);
    CloseAsMainWindow();
    EXPECT_TRUE(fake.log.calls.empty());
    EXPECT_EQ(fake.OverReleases(), 0);
}

TEST_P(PanelFrameTest, DeletedWithoutDestroyWindowStillReleasesEverything) {
    OpenWindow();
    wnd.reset();
    EXPECT_EQ(fake.OutstandingRefs(), 0);
    EXPECT_EQ(fake.OverReleases(), 0);
    EXPECT_EQ(fake.Events(P().panel).sink, nullptr);
}

TEST_P(PanelFrameTest, ClosedTwiceByTheMainWindowReleasesOnce) {
    OpenWindow();
    wnd->DestroyWindow();
    wnd->DestroyWindow();
    wnd.reset();
    EXPECT_EQ(fake.OutstandingRefs(), 0);
    EXPECT_EQ(fake.OverReleases(), 0);
}

TEST_P(PanelFrameTest, OwnerGoneFirstThenDestroyStepStillReleases) {
    // At shut-down the system destroys owned windows before their owner's
    // WM_DESTROY reaches the main window, which then calls DestroyWindow.
    OpenWindow();
    ::DestroyWindow(Hwnd());
    EXPECT_EQ(wnd->GetSafeHwnd(), nullptr);
    wnd->DestroyWindow();
    wnd.reset();
    EXPECT_EQ(fake.OutstandingRefs(), 0);
    EXPECT_EQ(fake.OverReleases(), 0);
}

INSTANTIATE_TEST_SUITE_P(AllPanels, PanelFrameTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<PanelCase>& info) { return std::string(info.param.name); });

TEST(PanelFrameInfoTest, SetModeAndDeviceStatusReachEachPanelsOwnSlot) {
    FakeDeviceManager fake;
    for (int p = 0; p < kPanelCount; ++p) {
        void* device = nullptr;
        ASSERT_GE(fake.GetInterface(kDeviceIids[p], &device), 0);
        const PanelFrameInfo& info = PanelFrameInfoOf(p);
        EXPECT_EQ(info.panelIndex, p);
        const size_t mark = fake.log.calls.size();
        info.setMode(static_cast<ITqPanelDevice*>(device), 1);
        PanelDeviceStatus status{};
        info.getDeviceStatus(static_cast<ITqPanelDevice*>(device), &status);
        const std::string name = FakeDeviceManager::PanelName(p);
        EXPECT_EQ(LogSince(fake.log, mark), (Log{name + ".device.SetMode(1)", name + ".device.GetDeviceStatus"}));
        static_cast<ITqPanelDevice*>(device)->Release();
    }
    EXPECT_EQ(fake.OutstandingRefs(), 0);
}
}  // namespace

namespace {
TEST(PanelFrameWithoutLibraryTest, MissingLibraryIsNotReportedAgainByEachWindow) {
    // No test factory: the real library is looked for beside this test, where there is none.
    const PFN_CreateDeviceManager previous = CDeviceLibrary::SetFactoryForTesting(nullptr);
    MessageBoxRecorder boxes;
    GoodbyeRecorder owner;
    for (int p = 0; p < kPanelCount; ++p) {
        std::unique_ptr<CPanelFrameDlg> wnd = NewPanelWindow(p, &owner);
        wnd->Open();
        PumpMessages();
        ASSERT_TRUE(::IsWindow(wnd->GetSafeHwnd()));
        EXPECT_FALSE(wnd->HasDevice());
        ClickButton(wnd->GetSafeHwnd(), IDC_MODE_TEST);
        EXPECT_FALSE(IsEnabled(wnd->GetSafeHwnd(), IDC_DOWNLOAD_BTN));
        wnd->DestroyWindow();
    }
    EXPECT_TRUE(CDeviceLibrary::Unavailable());
    // The main window tells the user; panel windows stay silent.
    EXPECT_TRUE(boxes.boxes.empty());
    CDeviceLibrary::SetFactoryForTesting(previous);
}
}  // namespace
