#include "CPanelFrameDlg.h"

#include "resource.h"

CPanelFrameDlg::CPanelFrameDlg(UINT templateId, int panelIndex, UINT goodbyeMessage, CWnd* owner)
    : CDialog(templateId, owner), m_owner(owner), m_panelIndex(panelIndex), m_goodbye(goodbyeMessage) {}

CPanelFrameDlg::~CPanelFrameDlg() = default;

void CPanelFrameDlg::Open() {
    if (!Create(TemplateId())) return;
    SendDlgItemMessage(IDC_MODE_NORMAL, BM_SETCHECK, 1);
}

LRESULT CPanelFrameDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CLOSE) {
        if (m_owner) m_owner->PostMessage(m_goodbye, 0, 0);
    }
    return CDialog::WindowProc(msg, wp, lp);
}
