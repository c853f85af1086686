// The Panel Check window of one panel window: every control of the panel under
// its printed name with its state and counts, "N of M checked" and the verdict
// at the top, a way to mark the selected control failed with a note, and
// "Save Report...", and the automatic checks the panel has ("Check motors",
// "Check lamps", "Hands off") with their question and answers. Modeless and
// owned by the panel window, which creates it on the first "Panel Check..."
// and destroys it with itself; closing it stops an automatic check and only
// hides the window, so its place and selection stay for the next time.
#pragma once

#include <string>

#include "framework/CDialog.h"
#include "panels/AutomaticChecks.h"
#include "panels/CheckSession.h"
#include "panels/ICheckTarget.h"

class CPanelCheckDlg : public CDialog {
public:
    // Ticks while open, so that a key held down turns stuck without a report.
    static constexpr UINT kTickMs = 500;
    // The hands-off countdown's; the motor steps set theirs to when the step
    // under way is over, since a fader standing still reports nothing to say so.
    static constexpr UINT kHandsOffTickMs = 250;

    CPanelCheckDlg(CheckSession& session, int panel, CWnd* owner, ICheckTarget& target);

    // Creates the window (once) and brings it to the front.
    bool Show();
    // Shows what the check holds now.
    void Refresh();

    // Every fader's position in a report taken at ms.
    void FaderReport(std::uint64_t ms, const MotorCheck::Positions& positions);
    // Ends a running automatic check, the panel handed back as it was.
    void StopChecks();
    const AutomaticChecks& Automatic() const { return m_auto; }

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    void OnOK() override {}
    BOOL OnButtonClicked(int id) override;
    BOOL OnTimer(UINT_PTR id) override;
    // Y and N answer the lamp walk, unless the note is being typed.
    bool OnKeyMessage(const MSG& msg) override;

private:
    void StartCheck(AutoCheck kind);
    void Answer(bool asShown);
    // The buttons, the question and, when the rows changed, the list.
    void ShowAutomatic();
    // The question and, when the rows changed, the list.
    void ShowProgress();
    // The motor step's timer set to its deadline; none when nothing is timed.
    void ArmAutomaticTimer();
    void AddColumns();
    void PlaceCheckButtons();
    void SetCell(int row, int column, const std::wstring& text);
    void MarkSelectedFailed();
    PanelCheck& Check() { return m_session.CheckOf(m_panel); }

    CheckSession& m_session;
    int m_panel;
    CWnd* m_owner;
    ICheckTarget& m_target;
    AutomaticChecks m_auto;
    unsigned m_shownChanges = 0;
    std::string m_refusal;  // why the last start was refused, until the next one
};
