#pragma once

#include "CPanelFrameDlg.h"

class CJogShuttlePanelDlg : public CPanelFrameDlg {
public:
    explicit CJogShuttlePanelDlg(CWnd* owner);
};
