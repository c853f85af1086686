#pragma once

#include "app/CSingleInstance.h"
#include "framework/CWinApp.h"

class CPanelUtilityApp : public CWinApp {
public:
    BOOL InitInstance() override;

private:
    // Held for the program's life.
    CSingleInstance m_instance;
};
