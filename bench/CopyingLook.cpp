// Shows a Copying window half-way through a download for a few seconds, to be
// looked at or photographed by hand: wine copying_look.exe [seconds]
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include "download/CCopyingDlg.h"
#include "framework/CDialog.h"

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_ANIMATE_CLASS};
    ::InitCommonControlsEx(&icc);
    const DWORD seconds = argc > 1 ? static_cast<DWORD>(std::atoi(argv[1])) : 10;

    CCopyingDlg dlg(nullptr);
    dlg.SetFileName(L"C:\\VelPanel\\firmware\\JogShuttle_v2.10.rom");
    if (!dlg.Create()) return 1;
    dlg.Progress().SetRange(0, 4096);
    dlg.Progress().SetPos(2100);

    const DWORD end = ::GetTickCount() + seconds * 1000;
    MSG msg;
    while (::GetTickCount() < end) {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!CDialog::PreTranslateDialogMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    dlg.DestroyWindow();
    return 0;
}
