#include "help/CInformationDlg.h"

#include "framework/ClientFit.h"
#include "help/HelpFile.h"
#include "res/resource.h"

namespace {
constexpr int kEditLeft = 30;
constexpr int kEditTop = 25;
}  // namespace

CInformationDlg::CInformationDlg() : CDialog(IDD_INFORMATION) {}

void CInformationDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_HELP_EDIT, m_edit);
}

std::wstring CInformationDlg::HelpDirectory() const { return DirectoryOfPath(ProgramPath()); }

BOOL CInformationDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    // A missing, unreadable or empty help file says so, with where it was looked
    // for: an empty box would leave the engineer guessing.
    const std::wstring text = HelpText(HelpDirectory(), m_helpIndex);
    m_edit.SetWindowText(text.c_str());
    // The box is laid out in pixels, whatever the dialog font makes of the
    // template; the window then grows to hold it, with the box's own offset as
    // its margin, so that the scroll bar and the last line can be reached.
    m_edit.MoveWindow(kEditLeft, kEditTop, 500, 300, TRUE);
    GrowClientToChildren(m_hWnd, SIZE{kEditLeft, kEditTop});
    return TRUE;
}
