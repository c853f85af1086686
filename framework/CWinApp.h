// The application object: one global instance, started by the program's entry point.
#pragma once

#include <windows.h>

#include <string>

class CWnd;

class CWinApp {
public:
    explicit CWinApp(LPCWSTR appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Returning FALSE ends the program without a message loop of the application's own.
    virtual BOOL InitInstance() { return TRUE; }
    virtual int Run();
    virtual int ExitInstance() { return 0; }
    void OnHelp() {}
    void Enable3dControls() {}  // the system draws 3-D controls by itself

    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;
    // Defaults to the executable's file name without its extension.
    LPCWSTR m_pszAppName = nullptr;

    static CWinApp* Current();

private:
    friend int AfxWinMain(HINSTANCE instance);
    std::wstring m_appName;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
LPCWSTR AfxGetAppName();
void AfxEnableControlContainer();
// The program's directory with a trailing backslash.
std::wstring AfxGetModuleDirectory();
// Runs the application object; called by wWinMain.
int AfxWinMain(HINSTANCE instance);
