// The main window: lists the four panels with their connection state and
// versions, lends each panel to its panel window and takes it back.
#pragma once

#include "contract/PanelBlocks.h"
#include "contract/TqDvManager.h"
#include "device/CDeviceEventSink.h"
#include "device/CPanelInterfaces.h"
#include "device/TqPtr.h"
#include "framework/CDialog.h"
#include "framework/CGdiObject.h"
#include "panels/CPanelFrameDlg.h"
#include "panels/CheckSession.h"
#include "panels/PanelCheckControls.h"

class CMainPanelDlg : public CDialog {
public:
    explicit CMainPanelDlg(CWnd* parent = nullptr);
    ~CMainPanelDlg() override;

    // For tests and diagnostics: what the window holds right now.
    ITqPanelDevice* DeviceInterface(int panel) const { return m_panels[panel].Device(); }
    ITqPanelEvents* EventInterface(int panel) const { return m_panels[panel].Events(); }
    CPanelFrameDlg* PanelWindow(int panel) const { return m_panelWnd[panel].get(); }
    CheckSession& Checks() { return m_checks; }

protected:
    BOOL OnInitDialog() override;
    // The four panel buttons and Exit.
    BOOL OnButtonClicked(int id) override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void SetVersionFont();
    void AcquirePanel(int panel);
    void ReleaseEverything();
    LRESULT OnPanelConnection(WPARAM panel, LPARAM state);
    void OnPanelButton(int panel);
    LRESULT OnGoodbye(int panel);
    // "Service Report...": every panel checked this run in one report.
    void OnServiceReport();
    void OnDestroy();
    void OnPaint();
    CWndPtr<CPanelFrameDlg> NewPanelWindow(int panel);

    HICON m_hIcon;
    // The version labels' face, one point smaller than the window's.
    CGdiObject<HFONT> m_versionFont;
    // The sink outlives the interfaces registered with it. This window shows no
    // reports: its sink drops them.
    CDeviceEventSink m_sink;
    TqPtr<ITqDeviceManager> m_manager;
    CPanelInterfaces m_panels[kPanelCount];
    // A panel window is open while its pointer is set; resetting it destroys the
    // window and deletes the object.
    CWndPtr<CPanelFrameDlg> m_panelWnd[kPanelCount];
    // What the Panel Checks found this run; it outlives every panel window.
    CheckSession m_checks{&PanelCheckControls};
    int m_opening = -1;  // the panel whose window's Open is running
    bool m_goodbyeWhileOpening = false;
};
