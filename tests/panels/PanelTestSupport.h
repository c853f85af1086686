// A stand-in main window for the panel-window tests: it only records the
// goodbye messages the panel windows post to it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "contract/PanelIids.h"
#include "framework/CWnd.h"
#include "panels/CPanelFrameDlg.h"
#include "tests/support/FakeDeviceManager.h"
#include "tests/support/TestWindows.h"

class GoodbyeRecorder : public CWnd {
public:
    struct Goodbye {
        UINT msg;
        WPARAM wp;
        LPARAM lp;
    };
    GoodbyeRecorder();
    ~GoodbyeRecorder() override;
    std::vector<Goodbye> received;
    size_t Count(UINT msg) const;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

// The main window's part in closing a panel window: a goodbye destroys and
// deletes it, whatever the panel window is in the middle of.
class ClosingOwner : public CWnd {
public:
    ClosingOwner();
    CPanelFrameDlg* panel = nullptr;
    int goodbyes = 0;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

// Answers the file-open dialog with path, without a window, for the object's
// lifetime, and notes how the dialog was asked for.
class FileDialogAnswer {
public:
    FileDialogAnswer(INT_PTR answer, std::wstring path);
    ~FileDialogAnswer();
    FileDialogAnswer(const FileDialogAnswer&) = delete;
    FileDialogAnswer& operator=(const FileDialogAnswer&) = delete;

    int shown = 0;
    std::wstring defaultExt, initialName, filter;
    DWORD flags = 0;
    // Runs while the dialog is "on screen", inside the code that asked for it.
    std::function<void()> whileShown;
};

// Constructs the panel window of a PanelIndex the way the main window does.
std::unique_ptr<CPanelFrameDlg> NewPanelWindow(int panel, CWnd* owner);

// Pumps until the window has handled every report that reached its sink,
// including those it put off to its next frame.
void PumpReports(const CPanelFrameDlg& window);

// Clicks a dialog button as the user would (the button checks itself and notifies).
void ClickButton(HWND dialog, int id);

bool IsChecked(HWND dialog, int id);
bool IsEnabled(HWND dialog, int id);

// The log lines added since a mark.
std::vector<std::string> LogSince(const FakeLog& log, size_t mark);

// A child window's rectangle in its parent's client coordinates.
RECT ChildRect(HWND child);

// One pixel of a bitmap resource of this program; CLR_INVALID if it has none.
COLORREF BitmapPixel(UINT bitmapId, int x, int y);

// One pixel of a window's client area once it has painted.
COLORREF WindowPixel(HWND hwnd, int x, int y);

// A panel window of one kind against the fake library, owned by a goodbye
// recorder, with the fake's factory installed for the test's length.
template <class Dlg, int Panel>
class PanelWindowTest : public ::testing::Test {
protected:
    using ReportBytes = std::initializer_list<std::pair<int, std::uint8_t>>;

    void SetUp() override { FakeDeviceManager::InstallFactory(&fake); }
    void TearDown() override {
        if (wnd) wnd->DestroyWindow();
        wnd.reset();
        PumpMessages();
        FakeDeviceManager::InstallFactory(nullptr);
    }
    void OpenWindow() {
        wnd = std::make_unique<Dlg>(&owner);
        wnd->Open();
        PumpMessages();
        ASSERT_TRUE(::IsWindow(Hwnd()));
    }
    HWND Hwnd() const { return wnd->GetSafeHwnd(); }
    HWND Item(int id) const { return ::GetDlgItem(Hwnd(), id); }
    bool Pushed(int id) const { return (::SendMessageW(Item(id), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; }
    // Hands a report to the window's sink as the library would, without pumping.
    void Deliver(ReportBytes changes, ReportBytes status) {
        PanelChanges c{};
        PanelStatus s{};
        for (auto [byte, value] : changes) c.bytes[byte] = value;
        for (auto [byte, value] : status) s.bytes[byte] = value;
        ASSERT_NE(fake.Events(Panel).sink, nullptr);
        fake.Events(Panel).sink->OnPanelReport(kEventIids[Panel], &c, &s);
    }
    void Report(ReportBytes changes, ReportBytes status) {
        Deliver(changes, status);
        PumpReports(*wnd);
    }

    FakeDeviceManager fake;
    MessageBoxRecorder boxes;
    GoodbyeRecorder owner;
    std::unique_ptr<Dlg> wnd;
};
