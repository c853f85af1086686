// What the four modeless panel windows share. The main window constructs one,
// calls Open, and later DestroyWindow and delete; the window itself only ever
// asks to be closed, with its goodbye message.
//
// Each window obtains its own device manager and its own pair of panel
// interfaces, registers its own event sink, switches the panel between Normal
// and Test and hands the panel back through the main window. What differs per
// panel is the PanelFrameInfo row; what a panel draws is added by overriding the
// hooks below.
//
// The life of a panel window, all of it in this class:
//   Open       Create from the template; its WM_INITDIALOG acquires the panel
//              when the row says AcquireStep::InitDialog. Place the picture.
//              Check Normal. CreatePanelControls(); then the window grows until
//              the picture and every control are inside it. Acquire when the row
//              says EndOfOpen (the Audio window, whose faders must exist before
//              the first report).
//   live       reports, connection states, Normal/Test, "?", the download,
//              "Panel Check..." in the system menu. Each report's decoded
//              actions also go into the panel's check (Check(), ReportMs()).
//   teardown   exactly once, where the row says: in the DestroyWindow the main
//              window calls (TeardownStep::DestroyWindow), or in WM_DESTROY
//              (Audio). In this order: the Panel Check window, the download's windows,
//              DestroyPanelControls(), the panel's interfaces and the device
//              manager, DestroyLateControls() (the dials).
//   delete     the panels' controls are members and go with the object; what a
//              teardown that never ran still holds (a window that never came
//              up) is released by the destructor.
#pragma once

#include <cstdint>
#include <vector>

#include "contract/TqDvManager.h"
#include "device/CDeviceEventSink.h"
#include "device/CPanelInterfaces.h"
#include "device/PanelReportPacer.h"
#include "device/TqPtr.h"
#include "download/CFirmwareDownload.h"
#include "download/IDownloadTarget.h"
#include "framework/CDialog.h"
#include "panels/CPanelCheckHost.h"
#include "panels/ICheckTarget.h"
#include "panels/PanelFrameInfo.h"

class CPanelFrameDlg : public CDialog, private IDownloadTarget, private ICheckTarget {
public:
    CPanelFrameDlg(int panelIndex, CWnd* owner);
    ~CPanelFrameDlg() override;

    // Creates the window modeless from its template, checks Normal and builds the
    // panel's run-time controls (and, for a panel that acquires late, acquires it).
    virtual void Open();

    // The teardown runs here, before the window goes, for every panel whose row
    // says TeardownStep::DestroyWindow.
    BOOL DestroyWindow() override;

    int PanelIndex() const { return m_info.panelIndex; }
    UINT GoodbyeMessage() const { return m_info.goodbyeMessage; }
    bool IsConnected() const { return m_connected; }
    bool HasDevice() const { return m_panel.Device() != nullptr; }
    bool HasEvents() const { return m_panel.Events() != nullptr; }
    // Reports handled since the window opened; also published on the window as
    // the property kReportsHandledProp, for tools that watch from outside.
    std::uint64_t ReportsHandled() const { return m_pacer.Handled(); }
    static constexpr wchar_t kReportsHandledProp[] = L"VelPanel.ReportsHandled";
    // True while reports wait for the next frame (see PanelReportPacer).
    bool HasDeferredReports() const { return m_pacer.Deferred(); }
    const CFirmwareDownload& Download() const { return m_download; }
    // The main window's record of this run's checks; before Open.
    void SetCheckSession(CheckSession* session) { m_check.SetSession(session); }
    // Null until "Panel Check..." was chosen.
    CPanelCheckDlg* PanelCheckWindow() const { return m_check.Window(); }

protected:
    BOOL OnInitDialog() override;
    // Escape and the default close processing end in Cancel; Enter ends in OK.
    // Neither may end the window: only the main window does that, after the
    // goodbye message, or the panel could never be opened again.
    void OnCancel() override {}
    void OnOK() override {}
    // Normal, Test, "?" and ProgramDownLoad.
    BOOL OnButtonClicked(int id) override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

    // Panel hooks, in the order of the window's life (see the top of this file).
    // Open's panel part, after the window exists and Normal is checked.
    virtual void CreatePanelControls() {}
    // Teardown, first step: the panel's own run-time controls.
    virtual void DestroyPanelControls() {}
    // Teardown, after the interfaces and the device manager are released.
    virtual void DestroyLateControls() {}
    // One report of the panel, in arrival order; each report reaches it once.
    virtual void OnReport(const PanelReport& /*report*/) {}
    // After a batch of reports: what only the batch's net result needs (lamp
    // windows, say) is done once here rather than once per report.
    virtual void OnReportsHandled() {}
    // After Normal or Test has enabled or disabled and set the mode.
    virtual void OnModeSwitched(PanelMode /*mode*/) {}
    // Every connection message that reports the panel connected.
    virtual void OnPanelConnected() {}

    // The report frame and the download poll; other ids get the default processing.
    BOOL OnTimer(UINT_PTR id) override;

    // Device calls whose slot differs per panel; both return -1 without a device.
    TqStatus SetDeviceMode(PanelMode mode);
    TqStatus GetDeviceStatus(PanelDeviceStatus* status);

    // The panel's check, which OnReport feeds with each decoded action and
    // the time the batch was taken.
    PanelCheck& Check() { return m_check.Check(); }
    std::uint64_t ReportMs() const { return m_reportMs; }
    // The Panel Check window's side: the motor check hears every fader report.
    CPanelCheckHost& CheckHost() { return m_check; }

    // ICheckTarget: what a panel without lamps or motors answers; the panels
    // that have them override these.
    bool CanDrive() const override { return m_connected && m_panel.Device() != nullptr; }
    std::vector<std::string> LampNames() const override { return {}; }
    std::vector<bool> LampsShown() const override { return {}; }
    void ShowLamps(const std::vector<bool>& /*lit*/) override {}
    IMotorDriver* Motors() override { return nullptr; }
    bool FaderDragged() const override { return false; }
    MotorCheck::Positions FaderPositions() override { return {}; }
    void LockFaders(bool /*locked*/) override {}
    void HandFadersBack() override {}
    void TakeWaitingReports() override;
    PanelMode Mode() const override { return m_testSelected ? PanelMode::Test : PanelMode::Normal; }
    void SwitchMode(PanelMode mode) override;
    void LockMode(bool locked) override;

    ITqPanelDevice* Device() const { return m_panel.Device(); }
    CDeviceEventSink& Sink() { return m_sink; }
    const CDeviceEventSink& Sink() const { return m_sink; }
    const PanelFrameInfo& Info() const { return m_info; }

    CWnd* m_owner;

private:
    // IDownloadTarget
    ITqPanelDevice* DownloadDevice() const override { return m_panel.Device(); }
    TqStatus QueryDeviceStatus(PanelDeviceStatus* status) override { return GetDeviceStatus(status); }
    void DownloadStarted(const std::wstring& path) override { m_check.DownloadStarted(path); }
    void DownloadEnded(std::int32_t result) override { m_check.DownloadEnded(result); }

    // Sizes and places the picture control so that its client area is the
    // bitmap exactly, with the bitmap's top-left pixel at the row's origin.
    void PlacePicture();
    // "?": shows the panel's help text.
    void ShowInformation();
    // Acquires the panel when step is the one of the panel's row.
    void AcquireAt(AcquireStep step);
    void AcquirePanel();
    void ReleaseInterfaces();
    // WM_PANEL_REPORT: hands the waiting reports to OnReport now or at the next frame.
    void OnPanelReport();
    // Does what the pacer said; a frame timer that cannot be armed takes now.
    void PaceReports(PanelReportPacer::Step step, ULONGLONG now);
    // Takes every waiting report out of the sink and hands each to OnReport.
    void HandleWaitingReports();
    // Tears down when step is the one of the panel's row, and only once.
    void TeardownAt(TeardownStep step);
    void OnClose();
    void OnModeButton(PanelMode mode);
    void OnConnection(WPARAM panel, LPARAM state);

    const PanelFrameInfo& m_info;
    // The sink outlives the interfaces registered with it.
    CDeviceEventSink m_sink;
    TqPtr<ITqDeviceManager> m_manager;
    CPanelInterfaces m_panel;
    bool m_connected = false;
    bool m_tornDown = false;
    // Test was the last mode picked; the panel must not be left in it.
    bool m_testSelected = false;
    std::vector<PanelReport> m_reportBatch;  // kept for its capacity
    PanelReportPacer m_pacer;
    CFirmwareDownload m_download{*this, *this};
    CPanelCheckHost m_check{m_info.panelIndex, *this, *this};
    std::uint64_t m_reportMs = 0;
};
