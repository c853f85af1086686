#pragma once

#include "framework/CWinApp.h"

class CPanelUtilityApp : public CWinApp {
public:
    BOOL InitInstance() override;
};
