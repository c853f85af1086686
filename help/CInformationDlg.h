// The modal "Information" window: a panel's help text, read from its file beside
// the program each time the window opens.
#pragma once

#include <string>

#include "framework/CDialog.h"
#include "framework/CEdit.h"

class CInformationDlg : public CDialog {
public:
    // No parent: as a modal window it goes to the window the user works in.
    CInformationDlg();

    // The panel (PanelIndex 0 to 3) whose help to show; set before DoModal.
    void SetHelpIndex(int index) { m_helpIndex = index; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // The folder the help files are looked for in: the program's own.
    virtual std::wstring HelpDirectory() const;

    CEdit m_edit;

private:
    int m_helpIndex = 0;
};
