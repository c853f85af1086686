#include "app/CPanelUtilityApp.h"

#include "app/CMainPanelDlg.h"

BOOL CPanelUtilityApp::InitInstance() {
    // Before anything that reaches the panels: a second VelPanel only shows the first.
    if (!m_instance.Claim()) return FALSE;
    AfxEnableControlContainer();
    Enable3dControls();
    CMainPanelDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    // No message loop of the application's own: the program ends with the main window.
    return FALSE;
}
