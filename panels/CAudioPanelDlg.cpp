#include "CAudioPanelDlg.h"

#include "PanelBlocks.h"
#include "PanelMessages.h"
#include "resource.h"

CAudioPanelDlg::CAudioPanelDlg(CWnd* owner) : CPanelFrameDlg(IDD_AUDIO_PANEL, kPanelAudio, ID_FADER_GOODBYE, owner) {}
