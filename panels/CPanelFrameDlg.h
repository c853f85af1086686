// What the four modeless panel windows share. The main window constructs one,
// calls Open, and later DestroyWindow and delete; the window itself only ever
// asks to be closed, with its goodbye message.
#pragma once

#include "CDialog.h"

class CPanelFrameDlg : public CDialog {
public:
    CPanelFrameDlg(UINT templateId, int panelIndex, UINT goodbyeMessage, CWnd* owner);
    ~CPanelFrameDlg() override;

    // Creates the window modeless from its template and shows it.
    virtual void Open();

    int PanelIndex() const { return m_panelIndex; }
    UINT GoodbyeMessage() const { return m_goodbye; }

protected:
    void OnCancel() override {}
    void OnOK() override {}
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

    CWnd* m_owner;

private:
    const int m_panelIndex;
    const UINT m_goodbye;
};
