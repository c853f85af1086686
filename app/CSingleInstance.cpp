#include "app/CSingleInstance.h"

#include <string>

namespace {
constexpr wchar_t kMainWindowProp[] = L"VelPanel.MainWindow";
// How long a second start waits for the first one's main window: the first may
// have claimed the session a moment ago and still be loading the library.
constexpr DWORD kWaitForWindowMs = 10000;
constexpr DWORD kPollMs = 50;

// Local\ is the user's session. The desktop is in the name as well: a window can
// only be found and raised from its own desktop, and each test desktop runs a
// VelPanel of its own. A session's users work on one desktop ("Default").
std::wstring MutexName() {
    std::wstring name = L"Local\\VelPanel.OneInstance.";
    wchar_t desktop[256] = L"";
    DWORD needed = 0;
    if (::GetUserObjectInformationW(::GetThreadDesktop(::GetCurrentThreadId()), UOI_NAME, desktop, sizeof desktop,
                                    &needed))
        name += desktop;
    return name;
}

BOOL CALLBACK MatchMarkedWindow(HWND hwnd, LPARAM found) {
    if (!::GetPropW(hwnd, kMainWindowProp)) return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
}

HWND FindMarkedWindow() {
    HWND found = nullptr;
    ::EnumWindows(&MatchMarkedWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

void BringToFront(HWND main) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(main, &pid);
    // A program just started by the user may take the foreground; it hands that
    // right on, so the running one may activate its own windows.
    ::AllowSetForegroundWindow(pid);
    // Asynchronous: a running VelPanel busy in a download must not hold this one up.
    if (::IsIconic(main)) ::ShowWindowAsync(main, SW_RESTORE);
    // A box or a panel window it has open comes first, as a click on its taskbar button would have it.
    const HWND popup = ::GetLastActivePopup(main);
    ::SetForegroundWindow(popup ? popup : main);
}
}  // namespace

CSingleInstance::~CSingleInstance() {
    if (!m_mutex) return;
    if (m_owned) ::ReleaseMutex(m_mutex);
    ::CloseHandle(m_mutex);
}

bool CSingleInstance::Claim() {
    // Owned from creation: between two starts at once, the system gives the
    // mutex to exactly one of them.
    m_mutex = ::CreateMutexW(nullptr, TRUE, MutexName().c_str());
    const DWORD error = ::GetLastError();
    if (!m_mutex) {
        // Without the mutex nothing can be told, and refusing to start would be worse.
        if (error != ERROR_ACCESS_DENIED) return true;
        // Denied: a VelPanel started as another user in this session holds it.
        if (HWND main = FindMarkedWindow()) BringToFront(main);
        return false;
    }
    if (error != ERROR_ALREADY_EXISTS) {
        m_owned = true;
        return true;
    }

    // Another VelPanel holds it. Its main window may not be there yet; or it may
    // be ending, which makes the claim ours (abandoned, if it crashed).
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (HWND main = FindMarkedWindow()) {
            BringToFront(main);
            return false;
        }
        const DWORD waited = ::WaitForSingleObject(m_mutex, kPollMs);
        if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) {
            m_owned = true;
            return true;
        }
        if (::GetTickCount() - start >= kWaitForWindowMs) return false;
    }
}

void CSingleInstance::MarkMainWindow(HWND hwnd) { ::SetPropW(hwnd, kMainWindowProp, reinterpret_cast<HANDLE>(1)); }

void CSingleInstance::UnmarkMainWindow(HWND hwnd) { ::RemovePropW(hwnd, kMainWindowProp); }
