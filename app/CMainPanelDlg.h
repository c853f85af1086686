// The main window: lists the four panels with their connection state and
// versions, lends each panel to its panel window and takes it back.
#pragma once

#include "CDeviceEventSink.h"
#include "CDialog.h"
#include "PanelBlocks.h"
#include "TqDvManager.h"

class CPanelFrameDlg;

class CMainPanelDlg : public CDialog {
public:
    explicit CMainPanelDlg(CWnd* parent = nullptr);
    ~CMainPanelDlg() override;

    // For tests and diagnostics: what the window holds right now.
    ITqPanelDevice* DeviceInterface(int panel) const { return m_device[panel]; }
    ITqPanelEvents* EventInterface(int panel) const { return m_events[panel]; }
    CPanelFrameDlg* PanelWindow(int panel) const { return m_panelWnd[panel]; }

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void AcquirePanel(int panel);
    void ReleaseDevice(int panel);
    void ReleaseEvents(int panel);
    LRESULT OnPanelConnection(WPARAM panel, LPARAM state);
    void OnPanelButton(int panel);
    LRESULT OnGoodbye(int panel);
    void OnDestroy();
    void OnPaint();
    CPanelFrameDlg* NewPanelWindow(int panel);

    HICON m_hIcon;
    ITqDeviceManager* m_manager = nullptr;
    CDeviceEventSink m_sink;
    ITqPanelDevice* m_device[kPanelCount] = {};
    ITqPanelEvents* m_events[kPanelCount] = {};
    CPanelFrameDlg* m_panelWnd[kPanelCount] = {};
};
