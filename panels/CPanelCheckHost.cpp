#include "panels/CPanelCheckHost.h"

#include "framework/CWinApp.h"
#include "panels/FileDigest.h"
#include "panels/PanelCheckControls.h"
#include "panels/Utf8.h"
#include "res/resource.h"

CPanelCheckHost::CPanelCheckHost(int panel, CWnd& panelWindow, ICheckTarget& target)
    : m_panel(panel), m_panelWindow(panelWindow), m_target(target) {}

CPanelCheckHost::~CPanelCheckHost() = default;

CheckSession& CPanelCheckHost::Session() {
    if (m_session) return *m_session;
    if (!m_ownSession) m_ownSession = std::make_unique<CheckSession>(&PanelCheckControls);
    return *m_ownSession;
}

void CPanelCheckHost::AddMenuItem() {
    HMENU menu = m_panelWindow.GetSystemMenu(FALSE);
    wchar_t text[64] = L"";
    if (!menu || ::LoadStringW(AfxGetResourceHandle(), IDS_PANEL_CHECK, text, 64) <= 0) return;
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, IDM_PANEL_CHECK, text);
}

bool CPanelCheckHost::OnSysCommand(WPARAM command) {
    if ((command & 0xFFF0) != IDM_PANEL_CHECK) return false;
    Open();
    return true;
}

void CPanelCheckHost::Open() {
    if (!m_dlg) m_dlg.reset(new CPanelCheckDlg(Session(), m_panel, &m_panelWindow, m_target));
    if (!m_dlg->Show()) m_dlg.reset();
}

void CPanelCheckHost::ReportsHandled() {
    if (m_dlg) m_dlg->Refresh();
}

void CPanelCheckHost::FaderReport(std::uint64_t ms, const MotorCheck::Positions& positions) {
    if (m_dlg) m_dlg->FaderReport(ms, positions);
}

void CPanelCheckHost::PanelLost() {
    if (m_dlg) m_dlg->StopChecks();
}

void CPanelCheckHost::Close() {
    if (m_dlg) m_dlg->StopChecks();
    m_dlg.reset();
}

void CPanelCheckHost::DownloadStarted(const std::wstring& path) {
    const FileDigest digest = DigestFile(path);
    Session().DownloadStarted(m_panel, WideToUtf8(path), digest.size, digest.sha256);
}

void CPanelCheckHost::DownloadEnded(std::int32_t result) { Session().DownloadEnded(m_panel, result); }
