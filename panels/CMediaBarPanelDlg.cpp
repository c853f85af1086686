#include "CMediaBarPanelDlg.h"

#include "PanelBlocks.h"
#include "PanelMessages.h"
#include "resource.h"

CMediaBarPanelDlg::CMediaBarPanelDlg(CWnd* owner) : CPanelFrameDlg(IDD_MEDIABAR_PANEL, kPanelMediaBar, ID_KNOB_GOODBYE, owner) {}
