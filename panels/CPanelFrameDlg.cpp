#include "CPanelFrameDlg.h"

#include "AfxMessageBox.h"
#include "CDeviceLibrary.h"
#include "PanelMessages.h"
#include "resource.h"

CPanelFrameDlg::CPanelFrameDlg(int panelIndex, CWnd* owner)
    : CDialog(PanelFrameInfoOf(panelIndex).templateId, owner),
      m_owner(owner),
      m_info(PanelFrameInfoOf(panelIndex)),
      m_sink(nullptr) {}

CPanelFrameDlg::~CPanelFrameDlg() {
    // Normally the teardown has run; this covers an object deleted without it
    // (its window failed to come up, for instance), so nothing stays registered
    // with a sink that is about to go.
    ReleaseInterfaces();
}

void CPanelFrameDlg::Open() {
    if (!Create(m_info.templateId)) {
        // Without a window nobody could ever close it: hand the panel straight back.
        if (m_owner && m_owner->GetSafeHwnd()) m_owner->PostMessage(m_info.goodbyeMessage, 0, 0);
        return;
    }
    SendDlgItemMessage(IDC_MODE_NORMAL, BM_SETCHECK, 1);
    CreatePanelControls();
    if (m_info.acquiresAtEndOfOpen) AcquirePanel();
}

BOOL CPanelFrameDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (!m_info.acquiresAtEndOfOpen) AcquirePanel();
    return TRUE;
}

void CPanelFrameDlg::AcquirePanel() {
    m_manager = CDeviceLibrary::CreateDeviceManager();
    m_events = nullptr;
    m_sink.SetOwner(this);

    void* device = nullptr;
    const TqStatus status = m_manager ? m_manager->GetInterface(m_info.deviceIid, &device) : -1;
    if (status < 0 || !device) {
        m_device = nullptr;
        // A missing library has been reported once already when it was loaded.
        if (m_manager || !CDeviceLibrary::Unavailable()) AfxMessageBox(L"ERROR", MB_OK);
        return;
    }
    m_device = static_cast<ITqPanelDevice*>(device);

    void* events = nullptr;
    if (m_manager->GetInterface(m_info.eventIid, &events) < 0 || !events) {
        m_events = nullptr;
        return;
    }
    m_events = static_cast<ITqPanelEvents*>(events);
    m_events->Advise(&m_sink);
}

void CPanelFrameDlg::ReleaseInterfaces() {
    if (m_device) m_device->Release();
    m_device = nullptr;
    if (m_events) {
        m_events->Unadvise();
        m_events->Release();
    }
    m_events = nullptr;
    if (m_manager) m_manager->Release();
    m_manager = nullptr;
}

void CPanelFrameDlg::Teardown() {
    DestroyPanelControls();
    ReleaseInterfaces();
    DestroyLateControls();
}

BOOL CPanelFrameDlg::DestroyWindow() {
    if (!m_info.tearsDownInWmDestroy) Teardown();
    return CDialog::DestroyWindow();
}

TqStatus CPanelFrameDlg::SetDeviceMode(std::int32_t mode) {
    return m_device ? m_info.setMode(m_device, mode) : -1;
}

TqStatus CPanelFrameDlg::GetDeviceStatus(PanelDeviceStatus* status) {
    return m_device ? m_info.getDeviceStatus(m_device, status) : -1;
}

void CPanelFrameDlg::OnClose() {
    if (m_owner && m_owner->GetSafeHwnd()) m_owner->PostMessage(m_info.goodbyeMessage, 0, 0);
    Default();  // turns into Cancel, which does nothing
}

void CPanelFrameDlg::OnModeButton(int mode) {
    const BOOL enable = mode == 0;
    ::EnableWindow(GetDlgItemHwnd(IDC_DOWNLOAD_BTN), enable);
    if (m_device) SetDeviceMode(mode);
    for (int i = 0; i < m_info.modeControlCount; ++i) ::EnableWindow(GetDlgItemHwnd(m_info.modeControls[i]), enable);
    OnModeSwitched(mode);
}

void CPanelFrameDlg::OnConnection(WPARAM panel, LPARAM state) {
    if (panel != static_cast<WPARAM>(m_info.panelIndex)) return;
    if (static_cast<std::int32_t>(state) == kPanelConnected) {
        m_connected = true;
        OnPanelConnected();
        return;
    }
    // A panel that was never seen connected is not lost; one that was goes back
    // to the main window exactly as if the user had closed the window.
    if (m_connected) SendMessage(WM_CLOSE, 0, 0);
}

void CPanelFrameDlg::ShowInformation() {
    // The Information window shows help file m_info.panelIndex; it is not part of this build yet.
}

void CPanelFrameDlg::OnProgramDownLoad() {}

void CPanelFrameDlg::OnDownloadEnded() {}

LRESULT CPanelFrameDlg::OnDownloadTimer(UINT_PTR) { return Default(); }

LRESULT CPanelFrameDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_COMMAND:
        if (HIWORD(wp) == BN_CLICKED) {
            switch (LOWORD(wp)) {
            case IDC_MODE_NORMAL:
                OnModeButton(0);
                return 0;
            case IDC_MODE_TEST:
                OnModeButton(1);
                return 0;
            case IDC_HELP_BTN:
                ShowInformation();
                return 0;
            case IDC_DOWNLOAD_BTN:
                OnProgramDownLoad();
                return 0;
            default:
                break;
            }
        }
        break;
    case WM_PANEL_CONNECTION:
        OnConnection(wp, lp);
        return 1;
    case WM_PANEL_REPORT:
        OnPanelReport();
        return 0;
    case WM_PANEL_PROGRESS:
        OnDownloadEnded();
        return 0;
    case WM_TIMER:
        return OnDownloadTimer(static_cast<UINT_PTR>(wp));
    case WM_DESTROY: {
        const LRESULT result = Default();
        // A window destroyed with its owner is torn down only when the main
        // window calls DestroyWindow; until then nothing may be posted to a
        // handle that is gone.
        m_sink.SetOwner(nullptr);
        if (m_info.tearsDownInWmDestroy) Teardown();
        return result;
    }
    default:
        break;
    }
    return CDialog::WindowProc(msg, wp, lp);
}
