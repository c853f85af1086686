#pragma once

#include "CWinApp.h"

class CPanelUtilityApp : public CWinApp {
public:
    BOOL InitInstance() override;
};
