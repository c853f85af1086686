#include "app/CPanelUtilityApp.h"

#include "app/CMainPanelDlg.h"

BOOL CPanelUtilityApp::InitInstance() {
    AfxEnableControlContainer();
    Enable3dControls();
    CMainPanelDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    // No message loop of the application's own: the program ends with the main window.
    return FALSE;
}
