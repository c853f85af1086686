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

#include "CDeviceEventSink.h"
#include "CDialog.h"
#include "PanelFrameInfo.h"
#include "TqDvManager.h"

class CCopyingDlg;

class CPanelFrameDlg : public CDialog {
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
    bool HasDevice() const { return m_device != nullptr; }
    bool HasEvents() const { return m_events != nullptr; }

protected:
    BOOL OnInitDialog() override;
    // Escape and the default close processing end in Cancel; Enter ends in OK.
    // Neither may end the window: only the main window does that, after the
    // goodbye message, or the panel could never be opened again.
    void OnCancel() override {}
    void OnOK() override {}
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

    // Panel hooks.
    // Open's panel part, after the window exists and Normal is checked.
    virtual void CreatePanelControls() {}
    // Teardown, first step: the panel's own run-time controls.
    virtual void DestroyPanelControls() {}
    // Teardown, after the interfaces and the device manager are released.
    virtual void DestroyLateControls() {}
    // WM_PANEL_REPORT: copy the panel's blocks out of Sink() and show them.
    virtual void OnPanelReport() {}
    // After Normal (0) or Test (1) has enabled or disabled and set the mode.
    virtual void OnModeSwitched(int /*mode*/) {}
    // Every connection message that reports the panel connected.
    virtual void OnPanelConnected() {}

    // "?": shows the panel's help text.
    virtual void ShowInformation();

    // Firmware download; the flow is the same for every panel. Without the flow
    // ProgramDownLoad does nothing and the timer gets default processing.
    virtual void OnProgramDownLoad();
    virtual void OnDownloadEnded();
    virtual LRESULT OnDownloadTimer(UINT_PTR id);

    // Device calls whose slot differs per panel; both return -1 without a device.
    TqStatus SetDeviceMode(std::int32_t mode);
    TqStatus GetDeviceStatus(PanelDeviceStatus* status);

    ITqPanelDevice* Device() const { return m_device; }
    CDeviceEventSink& Sink() { return m_sink; }
    const PanelFrameInfo& Info() const { return m_info; }

    CWnd* m_owner;
    // Used by the download flow only.
    CCopyingDlg* m_pCopyingDlg = nullptr;
    UINT_PTR m_downloadTimer = 0;

private:
    void AcquirePanel();
    void ReleaseInterfaces();
    void Teardown();
    void OnClose();
    void OnModeButton(int mode);
    void OnConnection(WPARAM panel, LPARAM state);

    const PanelFrameInfo& m_info;
    ITqDeviceManager* m_manager = nullptr;
    CDeviceEventSink m_sink;
    ITqPanelDevice* m_device = nullptr;
    ITqPanelEvents* m_events = nullptr;
    bool m_connected = false;
};
