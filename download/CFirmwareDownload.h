// The firmware download of one panel window. ProgramDownLoad hands a chosen
// *.rom file to the panel, which transfers it by itself; meanwhile the Copying
// window follows the transfer by polling the panel's status, and when the
// library reports the end the user is told the result before the end is
// acknowledged and the Copying window goes. The panel window owns one of these
// and forwards its button, its poll timer and WM_PANEL_PROGRESS.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <memory>
#include <string>

#include "download/CCopyingDlg.h"
#include "download/IDownloadTarget.h"

class CWnd;

class CFirmwareDownload {
public:
    static constexpr UINT kPollMs = 10;

    static constexpr wchar_t kSucceeded[] =
        L"The program was successfully downloaded.\nPlease turn off and turn on the power switch of the AC adapter, "
        L"and downloaded program will be available.";
    static constexpr wchar_t kFailed[] = L"The program was unsuccessfully downloaded.";
    static constexpr wchar_t kDisconnected[] =
        L"The panel was disconnected during the firmware download.\nIts firmware may be incomplete: reconnect the "
        L"panel, then download the firmware again.";
    // Only firmware images are offered, and only files that exist.
    static constexpr wchar_t kFilter[] = L"Firmware images (*.rom)|*.rom|All files (*.*)|*.*||";
    static constexpr DWORD kDialogFlags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;

    CFirmwareDownload(CWnd& window, IDownloadTarget& target);
    ~CFirmwareDownload();
    CFirmwareDownload(const CFirmwareDownload&) = delete;
    CFirmwareDownload& operator=(const CFirmwareDownload&) = delete;

    // ProgramDownLoad pressed.
    void Start();
    // The poll timer fired.
    void OnPollTimer();
    // WM_PANEL_PROGRESS: the library says the download has ended.
    void OnEnded();
    // The panel went away. While a transfer runs, or after an end whose result
    // could not be read, its firmware may be half written: the user is told so
    // before the window goes, rather than left with nothing.
    void OnPanelLost();
    // The window is being torn down, before it gives its interfaces back: no
    // poll may reach a released interface and no Copying window may be left
    // behind, since the main window, not the panel window, owns it on screen.
    void Close();

    bool InProgress() const { return m_copying != nullptr; }
    CCopyingDlg* CopyingWindow() const { return m_copying.get(); }

private:
    void OpenCopyingWindow(const std::wstring& path);
    void CloseCopyingWindow();
    void ShowResult(const wchar_t* text, UINT icon);
    // Once per end the library reported: after the user has seen the result.
    void Acknowledge();

    CWnd& m_window;
    IDownloadTarget& m_target;
    std::unique_ptr<CCopyingDlg> m_copying;
    UINT_PTR m_timer = 0;
    // Ends reported whose result box is still open.
    int m_unacknowledged = 0;
    // From a started transfer until its result has been read from the panel.
    bool m_resultPending = false;
};
