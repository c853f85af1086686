// The firmware download of one panel window. ProgramDownLoad hands a chosen
// *.rom file to the panel, which transfers it by itself; meanwhile the Copying
// window follows the transfer by polling the panel's status, and when the
// library reports the end the user is told the result before the end is
// acknowledged and the Copying window goes. The panel window owns one of these
// and forwards its button, its poll timer and WM_PANEL_PROGRESS.
#pragma once

#include <windows.h>

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
};
