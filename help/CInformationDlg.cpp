#include "help/CInformationDlg.h"

#include "help/HelpFile.h"
#include "res/resource.h"

CInformationDlg::CInformationDlg() : CDialog(IDD_INFORMATION) {}

void CInformationDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_HELP_EDIT, m_edit);
}

std::wstring CInformationDlg::HelpDirectory() const { return DirectoryOfPath(ProgramPath()); }

BOOL CInformationDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    // A missing or unreadable help file leaves the box empty, and says nothing.
    const std::optional<std::wstring> text = ReadAnsiTextFile(HelpFilePath(HelpDirectory(), m_helpIndex));
    if (!text) return TRUE;
    m_edit.SetWindowText(text->c_str());
    // The box is laid out in pixels, whatever the dialog font makes of the template.
    m_edit.MoveWindow(30, 25, 500, 300, TRUE);
    return TRUE;
}
