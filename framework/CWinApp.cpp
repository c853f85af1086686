#include "framework/CWinApp.h"

#include <commctrl.h>

#include <vector>

namespace {
CWinApp* g_app = nullptr;

std::wstring ModulePath(HMODULE module) {
    std::vector<wchar_t> buf(MAX_PATH);
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(module, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return std::wstring();
        if (n < buf.size()) return std::wstring(buf.data(), n);
        buf.resize(buf.size() * 2);
    }
}
}  // namespace

CWinApp::CWinApp(LPCWSTR appName) {
    if (appName) m_appName = appName;
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this) g_app = nullptr;
}

CWinApp* CWinApp::Current() { return g_app; }

int CWinApp::Run() {
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return ExitInstance();
}

CWinApp* AfxGetApp() { return g_app; }
CWnd* AfxGetMainWnd() { return g_app ? g_app->m_pMainWnd : nullptr; }
HINSTANCE AfxGetInstanceHandle() {
    return (g_app && g_app->m_hInstance) ? g_app->m_hInstance : ::GetModuleHandleW(nullptr);
}
HINSTANCE AfxGetResourceHandle() { return AfxGetInstanceHandle(); }

LPCWSTR AfxGetAppName() {
    static std::wstring fallback;
    if (g_app && g_app->m_pszAppName) return g_app->m_pszAppName;
    if (fallback.empty()) {
        const std::wstring path = ModulePath(nullptr);
        const size_t slash = path.find_last_of(L"\\/");
        fallback = path.substr(slash == std::wstring::npos ? 0 : slash + 1);
        const size_t dot = fallback.find_last_of(L'.');
        if (dot != std::wstring::npos) fallback.erase(dot);
    }
    return fallback.c_str();
}

void AfxEnableControlContainer() {}

std::wstring AfxGetModuleDirectory() {
    std::wstring path = ModulePath(nullptr);
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

int AfxWinMain(HINSTANCE instance) {
    CWinApp* app = g_app;
    if (!app) return 1;
    app->m_hInstance = instance;
    // Without a name of its own the application goes by its file name.
    if (app->m_appName.empty()) app->m_appName = AfxGetAppName();
    app->m_pszAppName = app->m_appName.c_str();

    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_ANIMATE_CLASS};
    ::InitCommonControlsEx(&icc);

    if (!app->InitInstance()) return app->ExitInstance();
    return app->Run();
}
