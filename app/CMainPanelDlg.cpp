#include "CMainPanelDlg.h"

#include "AfxMessageBox.h"
#include "CAboutDlg.h"
#include "CAudioPanelDlg.h"
#include "CDeviceLibrary.h"
#include "CJogShuttlePanelDlg.h"
#include "CMediaBarPanelDlg.h"
#include "CPaintDC.h"
#include "CTrackballPanelDlg.h"
#include "CWinApp.h"
#include "PanelIids.h"
#include "PanelMessages.h"
#include "VersionLabels.h"
#include "resource.h"

namespace {
struct PanelRow {
    int button;
    int firmwareLabel;
    int driverLabel;
    UINT goodbye;
};

constexpr PanelRow kRows[kPanelCount] = {
    {IDC_JOG_BTN, IDC_JOG_FLASH, IDC_JOG_DRIVER, ID_JOG_GOODBYE},
    {IDC_AUDIO_BTN, IDC_AUDIO_FLASH, IDC_AUDIO_DRIVER, ID_FADER_GOODBYE},
    {IDC_TRACKBALL_BTN, IDC_TRACKBALL_FLASH, IDC_TRACKBALL_DRIVER, ID_TRACKBALL_GOODBYE},
    {IDC_MEDIABAR_BTN, IDC_MEDIABAR_FLASH, IDC_MEDIABAR_DRIVER, ID_KNOB_GOODBYE},
};

int PanelOfGoodbye(UINT msg) {
    for (int p = 0; p < kPanelCount; ++p)
        if (kRows[p].goodbye == msg) return p;
    return -1;
}

HICON LoadAppIcon() {
    return static_cast<HICON>(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, 0,
                                           0, LR_DEFAULTSIZE | LR_SHARED));
}
}  // namespace

CMainPanelDlg::CMainPanelDlg(CWnd* parent) : CDialog(IDD_MAIN_PANEL, parent), m_hIcon(LoadAppIcon()), m_sink(this) {}

CMainPanelDlg::~CMainPanelDlg() {
    // Normally WM_DESTROY has given everything back; this covers an object whose
    // window was never created.
    for (int p = 0; p < kPanelCount; ++p) {
        ReleaseDevice(p);
        ReleaseEvents(p);
        delete m_panelWnd[p];
        m_panelWnd[p] = nullptr;
    }
    if (m_manager) m_manager->Release();
    m_manager = nullptr;
}

BOOL CMainPanelDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    if (HMENU menu = GetSystemMenu(FALSE)) {
        wchar_t about[128] = L"";
        if (::LoadStringW(AfxGetResourceHandle(), IDS_ABOUTBOX, about, 128) > 0 && about[0]) {
            ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, about);
        }
    }
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    m_manager = CDeviceLibrary::CreateDeviceManager();
    m_sink.SetOwner(this);
    for (int p = 0; p < kPanelCount; ++p) AcquirePanel(p);
    return TRUE;
}

void CMainPanelDlg::AcquirePanel(int panel) {
    // Without a library the user has been told once already; there is nothing to ask.
    if (!m_manager) return;
    void* device = nullptr;
    if (m_manager->GetInterface(kDeviceIids[panel], &device) < 0 || !device) {
        m_device[panel] = nullptr;
        AfxMessageBox(L"ERROR", MB_OK);
        return;
    }
    m_device[panel] = static_cast<ITqPanelDevice*>(device);
    void* events = nullptr;
    if (m_manager->GetInterface(kEventIids[panel], &events) < 0 || !events) {
        m_events[panel] = nullptr;
        return;
    }
    m_events[panel] = static_cast<ITqPanelEvents*>(events);
    m_events[panel]->Advise(&m_sink);
}

void CMainPanelDlg::ReleaseDevice(int panel) {
    if (m_device[panel]) m_device[panel]->Release();
    m_device[panel] = nullptr;
}

void CMainPanelDlg::ReleaseEvents(int panel) {
    if (m_events[panel]) {
        m_events[panel]->Unadvise();
        m_events[panel]->Release();
    }
    m_events[panel] = nullptr;
}

LRESULT CMainPanelDlg::OnPanelConnection(WPARAM wp, LPARAM lp) {
    if (wp >= static_cast<WPARAM>(kPanelCount)) return 1;
    const int panel = static_cast<int>(wp);
    const auto state = static_cast<std::int32_t>(lp);
    ::EnableWindow(GetDlgItemHwnd(kRows[panel].button), state == kPanelConnected);

    std::wstring firmware, driver;
    if (state != 0 && m_events[panel]) {
        PanelVersionInfo info{};
        if (m_events[panel]->GetVersionInfo(&info) >= 0) {
            firmware = FormatFirmwareVersion(info);
            driver = FormatDriverVersion(info);
        }
    }
    SetDlgItemText(kRows[panel].firmwareLabel, firmware.c_str());
    SetDlgItemText(kRows[panel].driverLabel, driver.c_str());
    return 1;
}

CPanelFrameDlg* CMainPanelDlg::NewPanelWindow(int panel) {
    switch (panel) {
    case kPanelJogShuttle:
        return new CJogShuttlePanelDlg(this);
    case kPanelAudio:
        return new CAudioPanelDlg(this);
    case kPanelTrackball:
        return new CTrackballPanelDlg(this);
    case kPanelMediaBar:
        return new CMediaBarPanelDlg(this);
    default:
        return nullptr;
    }
}

void CMainPanelDlg::OnPanelButton(int panel) {
    if (m_panelWnd[panel]) return;
    m_panelWnd[panel] = NewPanelWindow(panel);
    // While the panel window is open only it talks to the panel.
    ReleaseDevice(panel);
    ReleaseEvents(panel);
    m_panelWnd[panel]->Open();
}

LRESULT CMainPanelDlg::OnGoodbye(int panel) {
    if (!m_panelWnd[panel]) return 0;
    m_panelWnd[panel]->DestroyWindow();
    delete m_panelWnd[panel];
    m_panelWnd[panel] = nullptr;
    AcquirePanel(panel);
    return 0;
}

void CMainPanelDlg::OnDestroy() {
    Default();
    ReleaseEvents(kPanelJogShuttle);
    ReleaseDevice(kPanelJogShuttle);
    ReleaseDevice(kPanelAudio);
    ReleaseEvents(kPanelAudio);
    ReleaseDevice(kPanelMediaBar);
    ReleaseEvents(kPanelMediaBar);
    ReleaseDevice(kPanelTrackball);
    ReleaseEvents(kPanelTrackball);
    if (m_manager) m_manager->Release();
    m_manager = nullptr;
    for (int panel : {kPanelJogShuttle, kPanelAudio, kPanelMediaBar, kPanelTrackball}) {
        if (!m_panelWnd[panel]) continue;
        m_panelWnd[panel]->DestroyWindow();
        delete m_panelWnd[panel];
        m_panelWnd[panel] = nullptr;
    }
}

void CMainPanelDlg::OnPaint() {
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    RECT rect;
    GetClientRect(&rect);
    const int x = (rect.right - rect.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (rect.bottom - rect.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

LRESULT CMainPanelDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PANEL_CONNECTION:
        return OnPanelConnection(wp, lp);
    case WM_COMMAND:
        if (HIWORD(wp) == BN_CLICKED) {
            const int id = LOWORD(wp);
            if (id >= IDC_JOG_BTN && id <= IDC_MEDIABAR_BTN) {
                OnPanelButton(id - IDC_JOG_BTN);
                return 0;
            }
            if (id == IDC_EXIT_BTN) {
                PostMessage(WM_CLOSE, 0, 0);
                return 0;
            }
        }
        break;
    case WM_SYSCOMMAND:
        if ((wp & 0xFFF0) == IDM_ABOUTBOX) {
            CAboutDlg about;
            about.DoModal();
            return 0;
        }
        break;
    case WM_PAINT:
        if (IsIconic()) {
            OnPaint();
            return 0;
        }
        break;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(m_hIcon);
    case WM_DESTROY:
        OnDestroy();
        return 0;
    default: {
        const int panel = PanelOfGoodbye(msg);
        if (panel >= 0) return OnGoodbye(panel);
        break;
    }
    }
    return CDialog::WindowProc(msg, wp, lp);
}
