#include "app/CMainPanelDlg.h"

#include <utility>
#include <vector>

#include "app/CAboutDlg.h"
#include "app/CSingleInstance.h"
#include "app/VersionLabels.h"
#include "contract/PanelIids.h"
#include "device/CDeviceLibrary.h"
#include "device/PanelMessages.h"
#include "framework/AfxMessageBox.h"
#include "framework/CClientDC.h"
#include "framework/CPaintDC.h"
#include "framework/CWinApp.h"
#include "panels/CAudioPanelDlg.h"
#include "panels/CJogShuttlePanelDlg.h"
#include "panels/CMediaBarPanelDlg.h"
#include "panels/CTrackballPanelDlg.h"
#include "panels/PanelFrameInfo.h"
#include "panels/ServiceReportFiles.h"
#include "panels/Utf8.h"
#include "res/resource.h"

namespace {
struct PanelRow {
    int button;
    int firmwareLabel;
    int driverLabel;
};

constexpr PanelRow kRows[] = {
    {IDC_JOG_BTN, IDC_JOG_FLASH, IDC_JOG_DRIVER},
    {IDC_AUDIO_BTN, IDC_AUDIO_FLASH, IDC_AUDIO_DRIVER},
    {IDC_TRACKBALL_BTN, IDC_TRACKBALL_FLASH, IDC_TRACKBALL_DRIVER},
    {IDC_MEDIABAR_BTN, IDC_MEDIABAR_FLASH, IDC_MEDIABAR_DRIVER},
};
static_assert(std::size(kRows) == kPanelCount, "one row per panel");

// How the panels go back at shutdown: first the interfaces this window holds,
// in this order, then the device manager, then the open panel windows in the
// same panel order. Mixed as it looks, this is the sequence the maker's library
// has always been given on exit; keep it unless a change is tried on real panels.
struct ShutdownStep {
    int panel;
    CPanelInterfaces::ReleaseOrder order;
};
constexpr ShutdownStep kShutdownOrder[] = {
    {kPanelJogShuttle, CPanelInterfaces::ReleaseOrder::EventsFirst},
    {kPanelAudio, CPanelInterfaces::ReleaseOrder::DeviceFirst},
    {kPanelMediaBar, CPanelInterfaces::ReleaseOrder::DeviceFirst},
    {kPanelTrackball, CPanelInterfaces::ReleaseOrder::DeviceFirst},
};
static_assert(std::size(kShutdownOrder) == kPanelCount, "every panel goes back once");

// The main window is the first to ask for a device manager, so it is the one to
// say why there is none; panel windows opened later stay silent about it.
void ReportMissingLibrary() {
    const std::wstring problem = CDeviceLibrary::LoadError();
    if (problem.empty()) return;
    AfxMessageBox((problem + L"\n\nThe control panels can't be reached. VelPanel runs on without them.").c_str(),
                  MB_OK | MB_ICONSTOP);
}

constexpr wchar_t kSimulatedTitle[] = L"VelPanel - simulated panels";

HICON LoadAppIcon() {
    return static_cast<HICON>(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, 0, 0,
                                           LR_DEFAULTSIZE | LR_SHARED));
}
}  // namespace

CMainPanelDlg::CMainPanelDlg(CWnd* parent) : CDialog(IDD_MAIN_PANEL, parent), m_hIcon(LoadAppIcon()),
      m_sink(CDeviceEventSink::Reports::kDrop) {}

CMainPanelDlg::~CMainPanelDlg() {
    // Normally WM_DESTROY has given everything back; this covers an object whose
    // window was never created.
    ReleaseEverything();
}

BOOL CMainPanelDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CSingleInstance::MarkMainWindow(m_hWnd);

    if (HMENU menu = GetSystemMenu(FALSE)) {
        // The service report goes above About, which stays last below its separator.
        wchar_t report[64] = L"";
        if (::LoadStringW(AfxGetResourceHandle(), IDS_SERVICE_REPORT, report, 64) > 0) {
            ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuW(menu, MF_STRING, IDM_SERVICE_REPORT, report);
        }
        wchar_t about[128] = L"";
        if (::LoadStringW(AfxGetResourceHandle(), IDS_ABOUTBOX, about, 128) > 0 && about[0]) {
            ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, about);
        }
    }
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    SetVersionFont();

    m_manager = TqPtr<ITqDeviceManager>(CDeviceLibrary::CreateDeviceManager());
    if (!m_manager) ReportMissingLibrary();
    // On a customer's console simulated panels must never pass for the real ones;
    // with the maker's library the title stays the template's.
    if (m_manager && CDeviceLibrary::SimulatedPanelsLoaded()) SetWindowText(kSimulatedTitle);
    m_sink.SetOwner(m_hWnd);
    for (int p = 0; p < kPanelCount; ++p) AcquirePanel(p);
    return TRUE;
}

// "Ver 255 Build 10fef" beside "Ver 255.65535 Build 255" is wider, in the window's
// 8 point face, than the room between the buttons and the frame; one point less
// keeps both whole on one line without changing the window.
void CMainPanelDlg::SetVersionFont() {
    constexpr int kVersionPoints = 7;
    LOGFONTW face{};
    const auto windowFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    if (!windowFont || !::GetObjectW(windowFont, sizeof face, &face)) return;
    CClientDC dc(this);
    face.lfHeight = -::MulDiv(kVersionPoints, ::GetDeviceCaps(dc, LOGPIXELSY), 72);
    face.lfWidth = 0;
    m_versionFont.Attach(::CreateFontIndirectW(&face));
    if (!m_versionFont) return;
    const auto font = reinterpret_cast<WPARAM>(m_versionFont.GetSafeHandle());
    for (const PanelRow& row : kRows) {
        SendDlgItemMessage(row.firmwareLabel, WM_SETFONT, font, FALSE);
        SendDlgItemMessage(row.driverLabel, WM_SETFONT, font, FALSE);
    }
}

void CMainPanelDlg::AcquirePanel(int panel) {
    // Without a library the user has been told once already; there is nothing to ask.
    if (!m_manager) return;
    if (m_panels[panel].Acquire(*m_manager.Get(), panel, m_sink) == CPanelInterfaces::Acquired::NoDevice)
        AfxMessageBox(L"ERROR", MB_OK);
}

void CMainPanelDlg::ReleaseEverything() {
    for (const ShutdownStep& step : kShutdownOrder) m_panels[step.panel].Release(step.order);
    m_manager.Reset();
    for (const ShutdownStep& step : kShutdownOrder) m_panelWnd[step.panel].reset();
}

LRESULT CMainPanelDlg::OnPanelConnection(WPARAM wp, LPARAM lp) {
    if (wp >= static_cast<WPARAM>(kPanelCount)) return 1;
    const int panel = static_cast<int>(wp);
    const auto state = static_cast<std::int32_t>(lp);
    ::EnableWindow(GetDlgItemHwnd(kRows[panel].button), state == kPanelConnected);

    std::wstring firmware, driver;
    ITqPanelEvents* events = m_panels[panel].Events();
    if (state != 0 && events) {
        PanelVersionInfo info{};
        if (events->GetVersionInfo(&info) >= 0) {
            firmware = FormatFirmwareVersion(info);
            driver = FormatDriverVersion(info);
        }
    }
    if (state == kPanelConnected) m_checks.PanelConnected(panel, WideToUtf8(firmware), WideToUtf8(driver));
    SetDlgItemText(kRows[panel].firmwareLabel, firmware.c_str());
    SetDlgItemText(kRows[panel].driverLabel, driver.c_str());
    return 1;
}

CWndPtr<CPanelFrameDlg> CMainPanelDlg::NewPanelWindow(int panel) {
    switch (panel) {
    case kPanelJogShuttle:
        return CWndPtr<CPanelFrameDlg>(new CJogShuttlePanelDlg(this));
    case kPanelAudio:
        return CWndPtr<CPanelFrameDlg>(new CAudioPanelDlg(this));
    case kPanelTrackball:
        return CWndPtr<CPanelFrameDlg>(new CTrackballPanelDlg(this));
    case kPanelMediaBar:
        return CWndPtr<CPanelFrameDlg>(new CMediaBarPanelDlg(this));
    default:
        return nullptr;
    }
}

void CMainPanelDlg::OnPanelButton(int panel) {
    if (m_panelWnd[panel]) return;
    m_panelWnd[panel] = NewPanelWindow(panel);
    m_panelWnd[panel]->SetCheckSession(&m_checks);
    // While the panel window is open only it talks to the panel.
    m_panels[panel].Release(CPanelInterfaces::ReleaseOrder::DeviceFirst);
    // Open may show a box, whose loop can run the window's goodbye; the window
    // must not go while Open is still working on it.
    m_opening = panel;
    m_panelWnd[panel]->Open();
    m_opening = -1;
    if (std::exchange(m_goodbyeWhileOpening, false)) PostMessage(PanelFrameInfoOf(panel).goodbyeMessage);
}

LRESULT CMainPanelDlg::OnGoodbye(int panel) {
    if (!m_panelWnd[panel]) return 0;
    if (panel == m_opening) {
        m_goodbyeWhileOpening = true;
        return 0;
    }
    m_panelWnd[panel].reset();
    AcquirePanel(panel);
    return 0;
}

void CMainPanelDlg::OnServiceReport() {
    std::vector<int> checked;
    for (int p = 0; p < kPanelCount; ++p)
        if (const PanelCheck* check = m_checks.Find(p); check && check->Touched()) checked.push_back(p);
    if (checked.empty()) {
        AfxMessageBox(L"No panel has been checked in this session.\nOpen a panel window and choose \"Panel Check...\" "
                      L"in its system menu first.",
                      MB_OK | MB_ICONINFORMATION);
        return;
    }
    SaveServiceReport(this, m_checks, checked);
}

void CMainPanelDlg::OnDestroy() {
    CSingleInstance::UnmarkMainWindow(m_hWnd);
    Default();
    ReleaseEverything();
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

BOOL CMainPanelDlg::OnButtonClicked(int id) {
    if (id >= IDC_JOG_BTN && id <= IDC_MEDIABAR_BTN) {
        OnPanelButton(id - IDC_JOG_BTN);
        return TRUE;
    }
    if (id == IDC_EXIT_BTN) {
        PostMessage(WM_CLOSE, 0, 0);
        return TRUE;
    }
    return CDialog::OnButtonClicked(id);
}

LRESULT CMainPanelDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PANEL_CONNECTION:
        return OnPanelConnection(wp, lp);
    case WM_SYSCOMMAND:
        if ((wp & 0xFFF0) == IDM_ABOUTBOX) {
            CAboutDlg about;
            about.DoModal();
            return 0;
        }
        if ((wp & 0xFFF0) == IDM_SERVICE_REPORT) {
            OnServiceReport();
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
