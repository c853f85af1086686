#include "framework/AfxMessageBox.h"

#include "framework/CWinApp.h"
#include "framework/CWnd.h"

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
