#include "CTrackballPanelDlg.h"

#include "PanelBlocks.h"
#include "PanelMessages.h"
#include "resource.h"

CTrackballPanelDlg::CTrackballPanelDlg(CWnd* owner) : CPanelFrameDlg(IDD_TRACKBALL_PANEL, kPanelTrackball, ID_TRACKBALL_GOODBYE, owner) {}
