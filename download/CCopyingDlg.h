// The modeless "Copying" window of a firmware download: a looping animation,
// the full path of the firmware file and the progress bar. The panel window
// that creates it is the one that destroys and deletes it.
#pragma once

#include <string>

#include "framework/CDialog.h"
#include "widgets/CPercentProgressCtrl.h"

class CCopyingDlg : public CDialog {
public:
    explicit CCopyingDlg(CWnd* parent);

    // Before Create: the text is shown when the window sets itself up.
    void SetFileName(const std::wstring& name);
    const std::wstring& FileName() const { return m_fileName; }

    // Modeless, with no parent window of its own: the application's main window
    // becomes its owner.
    BOOL Create();

    CPercentProgressCtrl& Progress() { return m_progress; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // Escape, Enter and the close box would hide the window (and enable its
    // owner, even under a modal box of the owner's) while the download runs
    // on: the window ends only with the download, by its panel window's hand.
    void OnOK() override {}
    void OnCancel() override {}
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    // The file's path, folders left out of its middle until it fits its label.
    std::wstring FittedFileName() const;

    std::wstring m_fileName;
    CPercentProgressCtrl m_progress;
};
