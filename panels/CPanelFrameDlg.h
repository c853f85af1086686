// What the four modeless panel windows share. The main window constructs one,
// calls Open, and later DestroyWindow and delete; the window itself only ever
// asks to be closed, with its goodbye message.
//
// Each window obtains its own device manager and its own pair of panel
// interfaces, registers its own event sink, switches the panel between Normal
// and Test and hands the panel back through the main window. What differs per
// panel is the PanelFrameInfo row; what a panel draws is added by overriding the
// hooks below.
#pragma once

#include <cstdint>
#include <vector>

#include "CDeviceEventSink.h"
#include "CDialog.h"
#include "CFirmwareDownload.h"
#include "IDownloadTarget.h"
#include "CPanelInterfaces.h"
#include "PanelFrameInfo.h"
#include "TqDvManager.h"
#include "TqPtr.h"

class CPanelFrameDlg : public CDialog, private IDownloadTarget {
public:
    CPanelFrameDlg(int panelIndex, CWnd* owner);
    ~CPanelFrameDlg() override;

    // Creates the window modeless from its template, checks Normal and builds the
    // panel's run-time controls (and, for a panel that acquires late, acquires it).
    virtual void Open();

    // The teardown runs here, before the window goes, for every panel whose row
    // does not tear down in WM_DESTROY.
    BOOL DestroyWindow() override;

    int PanelIndex() const { return m_info.panelIndex; }
    UINT GoodbyeMessage() const { return m_info.goodbyeMessage; }
    bool IsConnected() const { return m_connected; }
    bool HasDevice() const { return m_panel.Device() != nullptr; }
    bool HasEvents() const { return m_panel.Events() != nullptr; }
    // Reports handled since the window opened; also published on the window as
    // the property kReportsHandledProp, for tools that watch from outside.
    std::uint64_t ReportsHandled() const { return m_reportsHandled; }
    static constexpr wchar_t kReportsHandledProp[] = L"VelPanel.ReportsHandled";
    // True while reports wait for the next frame (see kReportFrameMs).
    bool HasDeferredReports() const { return m_reportTimerArmed; }
    const CFirmwareDownload& Download() const { return m_download; }

    // While reports keep coming they are taken at most once a frame: under a
    // storm every batch would otherwise cost a paint of its own, and a paint
    // costs many times what handling a report does. A report after a quiet
    // spell is handled at once.
    static constexpr UINT kReportFrameMs = 16;
    static constexpr UINT_PTR kReportTimerId = 2;
    static_assert(kReportTimerId != CFirmwareDownload::kPollTimerId, "one timer id per purpose");

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

    // Panel hooks.
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
    // After Normal (0) or Test (1) has enabled or disabled and set the mode.
    virtual void OnModeSwitched(int /*mode*/) {}
    // Every connection message that reports the panel connected.
    virtual void OnPanelConnected() {}

    // The report frame and the download poll; other ids get the default processing.
    BOOL OnTimer(UINT_PTR id) override;

    // Device calls whose slot differs per panel; both return -1 without a device.
    TqStatus SetDeviceMode(std::int32_t mode);
    TqStatus GetDeviceStatus(PanelDeviceStatus* status);

    ITqPanelDevice* Device() const { return m_panel.Device(); }
    CDeviceEventSink& Sink() { return m_sink; }
    const PanelFrameInfo& Info() const { return m_info; }

    CWnd* m_owner;

private:
    // IDownloadTarget
    ITqPanelDevice* DownloadDevice() const override { return m_panel.Device(); }
    TqStatus QueryDeviceStatus(PanelDeviceStatus* status) override { return GetDeviceStatus(status); }

    // "?": shows the panel's help text.
    void ShowInformation();
    void AcquirePanel();
    void ReleaseInterfaces();
    // WM_PANEL_REPORT: hands the waiting reports to OnReport now or at the next frame.
    void OnPanelReport();
    // Takes every waiting report out of the sink and hands each to OnReport.
    void HandleWaitingReports();
    void Teardown();
    void OnClose();
    void OnModeButton(int mode);
    void OnConnection(WPARAM panel, LPARAM state);

    const PanelFrameInfo& m_info;
    // The sink outlives the interfaces registered with it.
    CDeviceEventSink m_sink;
    TqPtr<ITqDeviceManager> m_manager;
    CPanelInterfaces m_panel;
    bool m_connected = false;
    // Test was the last mode picked; the panel must not be left in it.
    bool m_testSelected = false;
    std::vector<PanelReport> m_reportBatch;  // kept for its capacity
    bool m_handlingReports = false;
    bool m_reportsWaiting = false;
    bool m_reportTimerArmed = false;
    ULONGLONG m_lastReportTake = 0;  // GetTickCount64 of the last take, 0 before any
    std::uint64_t m_reportsHandled = 0;
    CFirmwareDownload m_download{*this, *this};
};
