// A stand-in main window for the panel-window tests: it only records the
// goodbye messages the panel windows post to it.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "CPanelFrameDlg.h"
#include "CWnd.h"
#include "FakeDeviceManager.h"

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
