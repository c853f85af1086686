#pragma once

#include "CPanelFrameDlg.h"

class CAudioPanelDlg : public CPanelFrameDlg {
public:
    explicit CAudioPanelDlg(CWnd* owner);
};
