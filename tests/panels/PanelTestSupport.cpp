#include "tests/panels/PanelTestSupport.h"

#include "framework/CFileDialog.h"
#include "panels/CAudioPanelDlg.h"
#include "panels/CJogShuttlePanelDlg.h"
#include "panels/CMediaBarPanelDlg.h"
#include "panels/CTrackballPanelDlg.h"
#include "tests/support/TestWindows.h"

#include <utility>

GoodbyeRecorder::GoodbyeRecorder() {
    CreateEx(0, nullptr, L"test main window", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0);
}

GoodbyeRecorder::~GoodbyeRecorder() { DestroyWindow(); }

size_t GoodbyeRecorder::Count(UINT msg) const {
    size_t n = 0;
    for (const auto& g : received)
        if (g.msg == msg) ++n;
    return n;
}

LRESULT GoodbyeRecorder::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg >= 100 && msg <= 115) {
        received.push_back({msg, wp, lp});
        return 0;
    }
    return CWnd::WindowProc(msg, wp, lp);
}

FileDialogAnswer::FileDialogAnswer(INT_PTR answer, std::wstring path) {
    CFileDialog::SetHook([this, answer, path](const CFileDialog& dialog, std::wstring& chosen) {
        ++shown;
        defaultExt = dialog.DefaultExt();
        initialName = dialog.InitialFileName();
        flags = dialog.Flags();
        filter = dialog.Filter();
        if (whileShown) whileShown();
        chosen = path;
        return answer;
    });
}

FileDialogAnswer::~FileDialogAnswer() { CFileDialog::SetHook(nullptr); }

ClosingOwner::ClosingOwner() { Create(nullptr, L"", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0); }

LRESULT ClosingOwner::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg < WM_USER && panel && msg == panel->GoodbyeMessage()) {
        ++goodbyes;
        CWnd::DestroyAndDelete(std::exchange(panel, nullptr));
        return 0;
    }
    return CWnd::WindowProc(msg, wp, lp);
}

std::unique_ptr<CPanelFrameDlg> NewPanelWindow(int panel, CWnd* owner) {
    switch (panel) {
    case kPanelJogShuttle:
        return std::make_unique<CJogShuttlePanelDlg>(owner);
    case kPanelAudio:
        return std::make_unique<CAudioPanelDlg>(owner);
    case kPanelTrackball:
        return std::make_unique<CTrackballPanelDlg>(owner);
    default:
        return std::make_unique<CMediaBarPanelDlg>(owner);
    }
}

void PumpReports(const CPanelFrameDlg& window) {
    // A generous guard: the frame waits at most one frame per batch.
    for (int round = 0; round < 200; ++round) {
        PumpMessages();
        if (!window.HasDeferredReports()) return;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

void ClickButton(HWND dialog, int id) { ::SendMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

bool IsChecked(HWND dialog, int id) { return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

bool IsEnabled(HWND dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE; }

std::vector<std::string> LogSince(const FakeLog& log, size_t mark) {
    return std::vector<std::string>(log.calls.begin() + static_cast<std::ptrdiff_t>(mark), log.calls.end());
}

RECT ChildRect(HWND child) {
    RECT r;
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

COLORREF BitmapPixel(UINT bitmapId, int x, int y) {
    HBITMAP bmp = static_cast<HBITMAP>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0, 0));
    if (!bmp) return CLR_INVALID;
    HDC screen = ::GetDC(nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(mem, bmp);
    const COLORREF c = ::GetPixel(mem, x, y);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
    ::DeleteObject(bmp);
    return c;
}

COLORREF WindowPixel(HWND hwnd, int x, int y) {
    ::UpdateWindow(hwnd);
    HDC dc = ::GetDC(hwnd);
    const COLORREF c = ::GetPixel(dc, x, y);
    ::ReleaseDC(hwnd, dc);
    return c;
}
