// CCopyingDlg: the window from template 180 with the file name, the progress
// bar bound to its object, the clip opened and playing over the dialog's own
// background, its owner the application's main window, a window that neither
// the user's Escape, Enter nor close box can end, and nothing left behind.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "download/CCopyingDlg.h"
#include "framework/CWinApp.h"
#include "res/resource.h"
#include "tests/download/DownloadTestSupport.h"
#include "tests/support/GuiObjectCount.h"

namespace {

using downloadtest::ClientPixel;
using downloadtest::ClientPixels;
using downloadtest::HostWindow;
using downloadtest::Pump;

constexpr wchar_t kPath[] = L"C:\\firmware\\jog shuttle\\JOG0210.rom";
constexpr COLORREF kMagenta = RGB(255, 0, 255);

class CopyingDlgTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { downloadtest::RegisterCommonControls(); }
    void SetUp() override {
        ASSERT_TRUE(mainWindow.Open());
        ASSERT_TRUE(panelWindow.Open(200, 100));
        app.m_pMainWnd = &mainWindow;
    }
    std::unique_ptr<CCopyingDlg> Open() {
        auto dlg = std::make_unique<CCopyingDlg>(&panelWindow);
        dlg->SetFileName(kPath);
        if (!dlg->Create()) return nullptr;
        Pump();
        return dlg;
    }
    CWinApp app;
    HostWindow mainWindow;
    HostWindow panelWindow;
};

TEST_F(CopyingDlgTest, ShowsTheFileNameAndBindsTheBar) {
    CCopyingDlg dlg(&panelWindow);
    EXPECT_EQ(dlg.FileName(), L"");
    dlg.SetFileName(kPath);
    EXPECT_EQ(dlg.FileName(), kPath);
    ASSERT_TRUE(dlg.Create());
    EXPECT_FALSE(dlg.Create()) << "one window per object";

    wchar_t text[MAX_PATH] = L"";
    ::GetWindowTextW(dlg, text, MAX_PATH);
    EXPECT_STREQ(text, L"Copying");
    ::GetDlgItemTextW(dlg, IDC_FILENAME, text, MAX_PATH);
    EXPECT_STREQ(text, kPath);
    EXPECT_TRUE(::IsWindowVisible(dlg));
    EXPECT_EQ(::GetWindow(dlg, GW_OWNER), mainWindow.GetSafeHwnd()) << "owned by the main window, not the panel's";

    EXPECT_EQ(dlg.Progress().GetSafeHwnd(), ::GetDlgItem(dlg, IDC_PROGRESS));
    EXPECT_EQ(CWnd::FromHandle(::GetDlgItem(dlg, IDC_PROGRESS)), &dlg.Progress());
    int lower = -1, upper = -1;
    dlg.Progress().GetRange(lower, upper);
    EXPECT_EQ(lower, 0);
    EXPECT_EQ(upper, 100);
    EXPECT_EQ(dlg.Progress().GetPos(), 0);
    // The panel window sets range and position right after creation.
    dlg.Progress().SetRange(0, 4096);
    EXPECT_EQ(dlg.Progress().SetPos(1024), 0);
    EXPECT_EQ(dlg.Progress().GetPos(), 1024);
}

// However deep the file lies, its name is what the label must not lose.
TEST_F(CopyingDlgTest, ALongPathKeepsItsDriveAndFileName) {
    std::wstring path = L"C:\\";
    for (int i = 0; i < 40; ++i) path += L"folder" + std::to_wstring(i) + L"\\";
    path += L"audio.rom";
    CCopyingDlg dlg(&panelWindow);
    dlg.SetFileName(path);
    ASSERT_TRUE(dlg.Create());
    EXPECT_EQ(dlg.FileName(), path);
    const HWND label = ::GetDlgItem(dlg, IDC_FILENAME);
    std::wstring shown(path.size() + 1, L'\0');
    shown.resize(static_cast<size_t>(::GetWindowTextW(label, shown.data(), static_cast<int>(shown.size()))));
    EXPECT_EQ(shown.substr(0, 7), L"C:\\...\\");
    EXPECT_EQ(shown.substr(shown.size() - 10), L"\\audio.rom");
    RECT box{};
    ::GetClientRect(label, &box);
    const HDC dc = ::GetDC(label);
    const HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0)));
    SIZE size{};
    ::GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(label, dc);
    EXPECT_LE(size.cx, box.right);
}

TEST_F(CopyingDlgTest, ClipPlaysOverTheDialogBackground) {
    const auto dlg = Open();
    ASSERT_TRUE(dlg);
    const HWND clip = ::GetDlgItem(*dlg, IDC_ANIMATE);
    ASSERT_TRUE(clip);
    // Without ACS_CENTER an opened clip sizes its control to the frames.
    RECT rc{};
    ::GetClientRect(clip, &rc);
    EXPECT_EQ(rc.right, 260);
    EXPECT_EQ(rc.bottom, 40);

    // The clip draws its first frame on a thread of its own: wait for the left
    // folder (bounded) before reading the frame.
    constexpr COLORREF kFolder = RGB(255, 222, 70);
    for (int waited = 0; waited < 5000 && ClientPixel(clip, 30, 30) != kFolder; waited += 10) {
        ::Sleep(10);
        Pump();
    }
    // The top-left pixel is magenta in every frame and shows the dialog instead.
    const COLORREF corner = ClientPixel(clip, 0, 0);
    EXPECT_NE(corner, kMagenta);
    EXPECT_EQ(corner, ::GetSysColor(COLOR_3DFACE));
    // The left folder is there from the first frame.
    EXPECT_EQ(ClientPixel(clip, 30, 30), kFolder);

    // The sheet moves along the middle: over a second the pictures differ.
    std::set<std::vector<COLORREF>> seen;
    for (int i = 0; i < 10; ++i) {
        seen.insert(ClientPixels(clip, 260, 40));
        ::Sleep(110);
        Pump();
    }
    EXPECT_GE(seen.size(), 3u) << "the clip does not play";
}

TEST_F(CopyingDlgTest, UserCannotEndTheWindow) {
    const auto dlg = Open();
    ASSERT_TRUE(dlg);
    const HWND hwnd = *dlg;
    // A modal box of the main window's is up: the main window is disabled.
    mainWindow.EnableWindow(FALSE);
    MSG escape{hwnd, WM_KEYDOWN, VK_ESCAPE, 0, 0, {0, 0}};
    MSG enter{hwnd, WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
    const struct {
        const char* what;
        void (*act)(HWND, MSG*);
        MSG* msg;
    } actions[] = {
        {"Escape", [](HWND, MSG* m) { CDialog::PreTranslateDialogMessage(m); }, &escape},
        {"Enter", [](HWND, MSG* m) { CDialog::PreTranslateDialogMessage(m); }, &enter},
        {"close box", [](HWND h, MSG*) { ::SendMessageW(h, WM_SYSCOMMAND, SC_CLOSE, 0); }, nullptr},
        {"WM_CLOSE", [](HWND h, MSG*) { ::SendMessageW(h, WM_CLOSE, 0, 0); }, nullptr},
        {"IDCANCEL", [](HWND h, MSG*) { ::SendMessageW(h, WM_COMMAND, IDCANCEL, 0); }, nullptr},
        {"IDOK", [](HWND h, MSG*) { ::SendMessageW(h, WM_COMMAND, IDOK, 0); }, nullptr},
    };
    for (const auto& a : actions) {
        a.act(hwnd, a.msg);
        Pump();
        EXPECT_TRUE(::IsWindow(hwnd)) << a.what;
        EXPECT_TRUE(::IsWindowVisible(hwnd)) << a.what;
        EXPECT_FALSE(mainWindow.IsWindowEnabled()) << a.what << " enabled the main window under its modal box";
        EXPECT_EQ(dlg->GetSafeHwnd(), hwnd) << a.what;
    }
    mainWindow.EnableWindow(TRUE);
    EXPECT_TRUE(dlg->DestroyWindow());
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(dlg->GetSafeHwnd(), nullptr);
}

// Wine now and then makes a few update regions of its own for good while windows
// come and go, so the count may step up once; an object left per window would
// add one for every opening.
TEST_F(CopyingDlgTest, OpeningAndClosingLeavesNothingBehind) {
    {
        const auto dlg = Open();
        ASSERT_TRUE(dlg);
        dlg->DestroyWindow();
    }
    constexpr long kOpenings = 12;
    const GuiObjectCount before = CountGuiObjects();
    for (long i = 0; i < kOpenings; ++i) {
        const auto dlg = Open();
        ASSERT_TRUE(dlg);
        dlg->Progress().SetRange(0, 50);
        for (int pos = 0; pos <= 50; ++pos) dlg->Progress().SetPos(pos);
        dlg->DestroyWindow();
        Pump();
    }
    const GuiObjectCount after = CountGuiObjects();
    EXPECT_LT(static_cast<long>(after.gdi) - static_cast<long>(before.gdi), kOpenings);
    EXPECT_EQ(after.user, before.user);
}

}  // namespace
