#include "download/CCopyingDlg.h"

#include <commctrl.h>

#include "download/CompactPath.h"
#include "framework/CClientDC.h"
#include "framework/CSelectScope.h"
#include "res/resource.h"

CCopyingDlg::CCopyingDlg(CWnd* parent) : CDialog(IDD_COPYING, parent) {}

void CCopyingDlg::SetFileName(const std::wstring& name) { m_fileName = name; }

BOOL CCopyingDlg::Create() { return CDialog::Create(IDD_COPYING); }

void CCopyingDlg::DoDataExchange(CDataExchange* pDX) { DDX_Control(pDX, IDC_PROGRESS, m_progress); }

std::wstring CCopyingDlg::FittedFileName() const {
    const HWND label = GetDlgItemHwnd(IDC_FILENAME);
    if (!label) return m_fileName;
    RECT box{};
    ::GetClientRect(label, &box);
    CClientDC dc(GetDlgItem(IDC_FILENAME));
    CSelectScope font(dc.GetSafeHdc(), reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0)));
    return CompactPath(m_fileName, box.right, [&dc](const std::wstring& text) {
        SIZE size{};
        ::GetTextExtentPoint32W(dc.GetSafeHdc(), text.c_str(), static_cast<int>(text.size()), &size);
        return static_cast<int>(size.cx);
    });
}

BOOL CCopyingDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_FILENAME, FittedFileName().c_str());
    // No module handle: the control looks the clip up in the module its dialog was made from.
    SendDlgItemMessage(IDC_ANIMATE, ACM_OPENW, 0, reinterpret_cast<LPARAM>(MAKEINTRESOURCEW(IDR_COPY_CLIP)));
    return TRUE;
}

LRESULT CCopyingDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) {
        const LRESULT result = Default();
        SendDlgItemMessage(IDC_ANIMATE, ACM_OPENW, 0, 0);  // stops the clip and closes it
        return result;
    }
    return CDialog::WindowProc(msg, wp, lp);
}
