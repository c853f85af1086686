#include "download/CFirmwareDownload.h"

#include <commdlg.h>

#include <vector>

#include "framework/CFileDialog.h"
#include "framework/CWinApp.h"
#include "framework/CWnd.h"
#include "framework/MessageBoxHook.h"
#include "res/TimerIds.h"

CFirmwareDownload::CFirmwareDownload(CWnd& window, IDownloadTarget& target) : m_window(window), m_target(target) {}

CFirmwareDownload::~CFirmwareDownload() { CloseCopyingWindow(); }

void CFirmwareDownload::Start() {
    CFileDialog dialog(TRUE, L"rom", L"*.rom", kDialogFlags, kFilter, &m_window);
    const INT_PTR answer = dialog.DoModal();
    // The dialog's loop may have run the message that closed this window.
    if (answer != IDOK || !m_window.GetSafeHwnd()) return;
    const std::wstring path = dialog.GetPathName();

    ITqPanelDevice* device = m_target.DownloadDevice();
    std::vector<wchar_t> writable(path.begin(), path.end());
    writable.push_back(L'\0');
    if (!device || device->DownloadProgram(writable.data(), 1) < 0) {
        ShowResult(kFailed, MB_ICONEXCLAMATION);
        return;
    }
    m_target.DownloadStarted(path);
    // A second press while a download runs restarts the poll under the same
    // id and leaves the open Copying window as it is.
    m_timer = m_window.SetTimer(kDownloadPollTimerId, kPollMs);
    m_resultPending = true;
    if (!m_copying) OpenCopyingWindow(path);
}

void CFirmwareDownload::OpenCopyingWindow(const std::wstring& path) {
    auto copying = std::make_unique<CCopyingDlg>(&m_window);
    copying->SetFileName(path);
    if (!copying->Create()) return;
    m_copying = std::move(copying);
    PanelDeviceStatus status{};
    if (m_target.QueryDeviceStatus(&status) < 0) return;
    m_copying->Progress().SetRange(0, ReadLe32(status.bytes, kStatusDownloadTotalOffset));
    m_copying->Progress().SetPos(ReadLe32(status.bytes, kStatusDownloadPositionOffset));
}

void CFirmwareDownload::OnPollTimer() {
    PanelDeviceStatus status{};
    if (m_target.QueryDeviceStatus(&status) >= 0 && m_copying)
        m_copying->Progress().SetPos(ReadLe32(status.bytes, kStatusDownloadPositionOffset));
}

void CFirmwareDownload::OnEnded() {
    if (m_timer) {
        m_window.KillTimer(m_timer);
        m_timer = 0;
    }
    PanelDeviceStatus status{};
    const bool read = m_target.QueryDeviceStatus(&status) >= 0;
    m_target.DownloadEnded(read ? ReadLe32(status.bytes, kStatusDownloadResultOffset) : -1);
    if (read) {
        m_resultPending = false;
        // The Copying window stays, at its last position, until the box is closed.
        ++m_unacknowledged;
        if (ReadLe32(status.bytes, kStatusDownloadResultOffset) == 0)
            ShowResult(kSucceeded, MB_ICONINFORMATION);
        else
            ShowResult(kFailed, MB_ICONEXCLAMATION);
        // The box's loop may have run the teardown, which acknowledged already.
        if (m_unacknowledged == 0) return;
        --m_unacknowledged;
    }
    if (ITqPanelDevice* device = m_target.DownloadDevice()) device->FinishDownload();
    CloseCopyingWindow();
}

void CFirmwareDownload::OnPanelLost() {
    if (!m_resultPending) return;
    m_resultPending = false;
    if (m_timer) {
        // Lost before the library reported the end: the end will never come.
        m_window.KillTimer(m_timer);
        m_timer = 0;
        m_target.DownloadEnded(-1);
    }
    CloseCopyingWindow();
    ShowResult(kDisconnected, MB_ICONEXCLAMATION);
}

void CFirmwareDownload::Close() {
    m_resultPending = false;
    if (m_timer) {
        m_window.KillTimer(m_timer);
        m_timer = 0;
    }
    // An end the user has not yet acknowledged is acknowledged now, while the
    // device is still held. A transfer still running is left to the library:
    // the end is only ever acknowledged after it was reported, and what a
    // panel does with an early FinishDownload in the middle of writing its
    // flash is not something to find out on a customer's console.
    for (; m_unacknowledged > 0; --m_unacknowledged)
        if (ITqPanelDevice* device = m_target.DownloadDevice()) device->FinishDownload();
    CloseCopyingWindow();
}

void CFirmwareDownload::CloseCopyingWindow() {
    if (!m_copying) return;
    m_copying->DestroyWindow();
    m_copying.reset();
}

void CFirmwareDownload::ShowResult(const wchar_t* text, UINT icon) {
    VelMessageBox(m_window.GetSafeHwnd(), text, AfxGetAppName(), MB_OK | icon);
}
