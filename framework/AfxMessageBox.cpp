#include "AfxMessageBox.h"

#include "CWinApp.h"
#include "CWnd.h"

namespace {
MessageBoxHook& Hook() {
    static MessageBoxHook hook;
    return hook;
}
}  // namespace

MessageBoxHook SetMessageBoxHook(MessageBoxHook hook) {
    MessageBoxHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

int VelMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    if (Hook()) return Hook()(owner, text, caption, type);
    return ::MessageBoxW(owner, text, caption, type);
}

int AfxMessageBox(LPCWSTR text, UINT type, UINT /*helpId*/) {
    if ((type & MB_ICONMASK) == 0) {
        switch (type & MB_TYPEMASK) {
        case MB_OK:
        case MB_OKCANCEL:
            type |= MB_ICONEXCLAMATION;
            break;
        case MB_YESNO:
        case MB_YESNOCANCEL:
            type |= MB_ICONQUESTION;
            break;
        default:
            break;
        }
    }
    HWND owner = ::GetActiveWindow();
    if (!owner) {
        CWnd* main = AfxGetMainWnd();
        owner = main ? main->GetSafeHwnd() : nullptr;
    }
    return VelMessageBox(owner, text, AfxGetAppName(), type);
}
