// The Panel Check window of one panel window: every control of the panel under
// its printed name with its state and counts, "N of M checked" and the verdict
// at the top, a way to mark the selected control failed with a note, and
// "Save Report...". Modeless and owned by the panel window, which creates it on
// the first "Panel Check..." and destroys it with itself; closing it only hides
// it, so its place and selection stay for the next time.
#pragma once

#include <string>

#include "framework/CDialog.h"
#include "panels/CheckSession.h"

class CPanelCheckDlg : public CDialog {
public:
    // Ticks while open, so that a key held down turns stuck without a report.
    static constexpr UINT kTickMs = 500;

    CPanelCheckDlg(CheckSession& session, int panel, CWnd* owner);

    // Creates the window (once) and brings it to the front.
    bool Show();
    // Shows what the check holds now.
    void Refresh();

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    void OnOK() override {}
    BOOL OnButtonClicked(int id) override;
    BOOL OnTimer(UINT_PTR id) override;

private:
    void AddColumns();
    void SetCell(int row, int column, const std::wstring& text);
    void MarkSelectedFailed();
    PanelCheck& Check() { return m_session.CheckOf(m_panel); }

    CheckSession& m_session;
    int m_panel;
    CWnd* m_owner;
};
