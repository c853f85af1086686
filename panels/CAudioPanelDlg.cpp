#include "CAudioPanelDlg.h"

#include "PanelBlocks.h"
#include "PanelMessages.h"
#include "resource.h"

CAudioPanelDlg::CAudioPanelDlg(CWnd* owner) : CPanelFrameDlg(kPanelAudio, owner) {}
