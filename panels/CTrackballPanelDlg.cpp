#include "CTrackballPanelDlg.h"

#include "PanelBlocks.h"
#include "PanelMessages.h"
#include "resource.h"

CTrackballPanelDlg::CTrackballPanelDlg(CWnd* owner) : CPanelFrameDlg(kPanelTrackball, owner) {}
