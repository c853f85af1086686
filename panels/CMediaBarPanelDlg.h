#pragma once

#include "CPanelFrameDlg.h"

class CMediaBarPanelDlg : public CPanelFrameDlg {
public:
    explicit CMediaBarPanelDlg(CWnd* owner);
};
