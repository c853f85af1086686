#include "CJogShuttlePanelDlg.h"

#include "PanelBlocks.h"
#include "PanelMessages.h"
#include "resource.h"

CJogShuttlePanelDlg::CJogShuttlePanelDlg(CWnd* owner) : CPanelFrameDlg(IDD_JOG_PANEL, kPanelJogShuttle, ID_JOG_GOODBYE, owner) {}
