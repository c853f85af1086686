#pragma once

#include "CPanelFrameDlg.h"

class CTrackballPanelDlg : public CPanelFrameDlg {
public:
    explicit CTrackballPanelDlg(CWnd* owner);
};
