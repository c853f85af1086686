#include "CMediaBarPanelDlg.h"

#include "PanelBlocks.h"
#include "PanelMessages.h"
#include "resource.h"

CMediaBarPanelDlg::CMediaBarPanelDlg(CWnd* owner) : CPanelFrameDlg(kPanelMediaBar, owner) {}
