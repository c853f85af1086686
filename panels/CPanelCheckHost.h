// The panel window's side of the Panel Check: its system-menu entry, its one
// Panel Check window, the check its reports feed and the downloads it records.
// The frame holds one and calls it from a handful of places (see
// CPanelFrameDlg.h), so that its own life stays as it was.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "framework/CWnd.h"
#include "panels/CPanelCheckDlg.h"
#include "panels/CheckSession.h"
#include "panels/ICheckTarget.h"

class CPanelCheckHost {
public:
    CPanelCheckHost(int panel, CWnd& panelWindow, ICheckTarget& target);
    ~CPanelCheckHost();
    CPanelCheckHost(const CPanelCheckHost&) = delete;
    CPanelCheckHost& operator=(const CPanelCheckHost&) = delete;

    // The main window's session; without one (a panel window on its own, in a
    // test) the host keeps a session of its own.
    void SetSession(CheckSession* session) { m_session = session; }
    CheckSession& Session();
    PanelCheck& Check() { return Session().CheckOf(m_panel); }

    // "Panel Check..." below a separator in the panel window's system menu.
    void AddMenuItem();
    // True when the command was "Panel Check...", which it then carried out.
    bool OnSysCommand(WPARAM command);
    // Opens the Panel Check window, or brings it to the front.
    void Open();
    // A batch of reports went into the check.
    void ReportsHandled();
    // Every fader's position in a report of the panel taken at ms.
    void FaderReport(std::uint64_t ms, const MotorCheck::Positions& positions);
    // The panel went away: an automatic check stops.
    void PanelLost();
    // The panel window's teardown: an automatic check stops while the panel
    // can still be handed back, then the Panel Check window goes.
    void Close();
    CPanelCheckDlg* Window() const { return m_dlg.get(); }

    // The firmware download of the panel window, for the report.
    void DownloadStarted(const std::wstring& path);
    void DownloadEnded(std::int32_t result);

private:
    int m_panel;
    CWnd& m_panelWindow;
    ICheckTarget& m_target;
    CheckSession* m_session = nullptr;
    std::unique_ptr<CheckSession> m_ownSession;
    CWndPtr<CPanelCheckDlg> m_dlg;
};
