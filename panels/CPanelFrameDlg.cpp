#include "panels/CPanelFrameDlg.h"

#include "device/CDeviceLibrary.h"
#include "device/PanelMessages.h"
#include "framework/AfxMessageBox.h"
#include "framework/ClientFit.h"
#include "help/CInformationDlg.h"
#include "res/TimerIds.h"
#include "res/resource.h"

CPanelFrameDlg::CPanelFrameDlg(int panelIndex, CWnd* owner)
    : CDialog(PanelFrameInfoOf(panelIndex).templateId, owner), m_owner(owner), m_info(PanelFrameInfoOf(panelIndex)) {}

CPanelFrameDlg::~CPanelFrameDlg() {
    // An object deleted without its teardown (its window failed to come up, for
    // instance): nothing may stay registered with a sink that is about to go.
    if (!m_tornDown) ReleaseInterfaces();
}

void CPanelFrameDlg::Open() {
    if (!Create(m_info.templateId)) {
        // Without a window nobody could ever close it: hand the panel straight back.
        if (m_owner && m_owner->GetSafeHwnd()) m_owner->PostMessage(m_info.goodbyeMessage, 0, 0);
        return;
    }
    PlacePicture();
    SendDlgItemMessage(IDC_MODE_NORMAL, BM_SETCHECK, 1);
    CreatePanelControls();
    // The controls sit at fixed pixels, the template's size follows its font: with a
    // smaller dialog font the picture and the controls would run past the edges.
    GrowClientToChildren(m_hWnd);
    AcquireAt(AcquireStep::EndOfOpen);
}

BOOL CPanelFrameDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_check.AddMenuItem();
    AcquireAt(AcquireStep::InitDialog);
    return TRUE;
}

void CPanelFrameDlg::PlacePicture() {
    // A bitmap static sizes its window, edge included, to the bitmap: its client
    // area comes out smaller than the bitmap by the edge, and Wine squeezes the
    // bitmap into it, dropping rows and columns the keys and labels need. The
    // template also places it in dialog units, which move with the font.
    const HWND picture = GetDlgItemHwnd(static_cast<int>(m_info.picture));
    const auto bitmap = reinterpret_cast<HBITMAP>(::SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP size{};
    if (!picture || !bitmap || !::GetObjectW(bitmap, sizeof size, &size)) return;
    const POINT at = m_info.pictureOrigin;
    RECT r{at.x, at.y, at.x + size.bmWidth, at.y + size.bmHeight};
    ::AdjustWindowRectEx(&r, static_cast<DWORD>(::GetWindowLongW(picture, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongW(picture, GWL_EXSTYLE)));
    ::SetWindowPos(picture, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPanelFrameDlg::AcquireAt(AcquireStep step) {
    if (step == m_info.acquireStep) AcquirePanel();
}

void CPanelFrameDlg::AcquirePanel() {
    m_manager = TqPtr<ITqDeviceManager>(CDeviceLibrary::CreateDeviceManager());
    m_sink.SetOwner(m_hWnd);
    const CPanelInterfaces::Acquired acquired =
        m_manager ? m_panel.Acquire(*m_manager.Get(), m_info.panelIndex, m_sink) : CPanelInterfaces::Acquired::NoDevice;
    // A missing library has been reported once already, by the main window.
    if (acquired == CPanelInterfaces::Acquired::NoDevice && (m_manager || !CDeviceLibrary::Unavailable()))
        AfxMessageBox(L"ERROR", MB_OK);
}

void CPanelFrameDlg::ReleaseInterfaces() {
    // Test mode is a state of the panel, not of this window: a panel left in it
    // would greet the next window, which starts in Normal, with its controls dead.
    if (m_testSelected && m_panel.Device()) SetDeviceMode(PanelMode::Normal);
    m_testSelected = false;
    m_panel.Release(CPanelInterfaces::ReleaseOrder::DeviceFirst);
    m_manager.Reset();
}

void CPanelFrameDlg::TeardownAt(TeardownStep step) {
    if (step != m_info.teardownStep || m_tornDown) return;
    m_tornDown = true;
    m_check.Close();
    m_download.Close();
    DestroyPanelControls();
    ReleaseInterfaces();
    DestroyLateControls();
    if (m_hWnd) ::RemovePropW(m_hWnd, kReportsHandledProp);
}

BOOL CPanelFrameDlg::DestroyWindow() {
    TeardownAt(TeardownStep::DestroyWindow);
    return CDialog::DestroyWindow();
}

TqStatus CPanelFrameDlg::SetDeviceMode(PanelMode mode) {
    ITqPanelDevice* device = m_panel.Device();
    return device ? m_info.setMode(device, static_cast<std::int32_t>(mode)) : -1;
}

TqStatus CPanelFrameDlg::GetDeviceStatus(PanelDeviceStatus* status) {
    ITqPanelDevice* device = m_panel.Device();
    return device ? m_info.getDeviceStatus(device, status) : -1;
}

void CPanelFrameDlg::OnClose() {
    if (m_owner && m_owner->GetSafeHwnd()) m_owner->PostMessage(m_info.goodbyeMessage, 0, 0);
    Default();  // turns into Cancel, which does nothing
}

void CPanelFrameDlg::OnModeButton(PanelMode mode) {
    const BOOL enable = mode == PanelMode::Normal;
    ::EnableWindow(GetDlgItemHwnd(IDC_DOWNLOAD_BTN), enable);
    if (m_panel.Device()) SetDeviceMode(mode);
    m_testSelected = mode == PanelMode::Test;
    for (int id : m_info.modeControls) ::EnableWindow(GetDlgItemHwnd(id), enable);
    OnModeSwitched(mode);
}

void CPanelFrameDlg::SwitchMode(PanelMode mode) {
    SendDlgItemMessage(IDC_MODE_NORMAL, BM_SETCHECK, mode == PanelMode::Normal ? BST_CHECKED : BST_UNCHECKED);
    SendDlgItemMessage(IDC_MODE_TEST, BM_SETCHECK, mode == PanelMode::Test ? BST_CHECKED : BST_UNCHECKED);
    OnModeButton(mode);
}

void CPanelFrameDlg::LockMode(bool locked) {
    for (int id : {IDC_MODE_NORMAL, IDC_MODE_TEST}) ::EnableWindow(GetDlgItemHwnd(id), locked ? FALSE : TRUE);
}

void CPanelFrameDlg::OnConnection(WPARAM panel, LPARAM state) {
    if (panel != static_cast<WPARAM>(m_info.panelIndex)) return;
    if (static_cast<std::int32_t>(state) == kPanelConnected) {
        m_connected = true;
        OnPanelConnected();
        return;
    }
    // A panel that was never seen connected is not lost; one that was goes back
    // to the main window exactly as if the user had closed the window, after
    // the user has heard of a download it broke off.
    if (!m_connected) return;
    m_check.PanelLost();
    m_download.OnPanelLost();
    if (GetSafeHwnd()) SendMessage(WM_CLOSE, 0, 0);
}

void CPanelFrameDlg::OnPanelReport() {
    const ULONGLONG now = ::GetTickCount64();
    PaceReports(m_pacer.OnNotice(now), now);
}

void CPanelFrameDlg::PaceReports(PanelReportPacer::Step step, ULONGLONG now) {
    if (step == PanelReportPacer::Step::kDefer) {
        if (SetTimer(kReportFrameTimerId, static_cast<UINT>(m_pacer.DeferMs(now))) != 0) {
            m_pacer.TimerArmed();
            return;
        }
        step = PanelReportPacer::Step::kTake;
    }
    if (step == PanelReportPacer::Step::kTake) HandleWaitingReports();
}

void CPanelFrameDlg::TakeWaitingReports() {
    if (!m_pacer.Taking()) HandleWaitingReports();
}

void CPanelFrameDlg::HandleWaitingReports() {
    m_reportMs = ::GetTickCount64();
    m_pacer.BeginTake(m_reportMs);
    m_sink.TakeReports(m_info.panelIndex, m_reportBatch);
    for (const PanelReport& report : m_reportBatch) OnReport(report);
    if (!m_reportBatch.empty()) {
        OnReportsHandled();
        m_check.ReportsHandled();
    }
    const bool again = m_pacer.EndTake(m_reportBatch.size());
    if (!m_reportBatch.empty() && m_hWnd)
        ::SetPropW(m_hWnd, kReportsHandledProp,
                   reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(m_pacer.Handled())));
    if (again && m_hWnd) PostMessage(WM_PANEL_REPORT);
}

BOOL CPanelFrameDlg::OnTimer(UINT_PTR id) {
    if (id == kDownloadPollTimerId) {
        m_download.OnPollTimer();
        return CDialog::OnTimer(id);
    }
    if (id != kReportFrameTimerId) return CDialog::OnTimer(id);
    KillTimer(id);
    PaceReports(m_pacer.OnTimer(), ::GetTickCount64());
    return TRUE;
}

void CPanelFrameDlg::ShowInformation() {
    CInformationDlg information;
    information.SetHelpIndex(m_info.panelIndex);
    information.DoModal();
}

BOOL CPanelFrameDlg::OnButtonClicked(int id) {
    switch (id) {
    case IDC_MODE_NORMAL:
        OnModeButton(PanelMode::Normal);
        return TRUE;
    case IDC_MODE_TEST:
        OnModeButton(PanelMode::Test);
        return TRUE;
    case IDC_HELP_BTN:
        ShowInformation();
        return TRUE;
    case IDC_DOWNLOAD_BTN:
        m_download.Start();
        return TRUE;
    default:
        return CDialog::OnButtonClicked(id);
    }
}

LRESULT CPanelFrameDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_PANEL_CONNECTION:
        OnConnection(wp, lp);
        return 1;
    case WM_PANEL_REPORT:
        OnPanelReport();
        return 0;
    case WM_PANEL_PROGRESS:
        m_download.OnEnded();
        return 0;
    case WM_SYSCOMMAND:
        if (m_check.OnSysCommand(wp)) return 0;
        break;
    case WM_DESTROY: {
        const LRESULT result = Default();
        // A window destroyed with its owner is torn down only when the main
        // window calls DestroyWindow; until then nothing may be posted to a
        // handle that is gone.
        m_sink.SetOwner(nullptr);
        TeardownAt(TeardownStep::WmDestroy);
        return result;
    }
    default:
        break;
    }
    return CDialog::WindowProc(msg, wp, lp);
}
