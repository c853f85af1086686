// The Jog & Shuttle window (PanelIndex 0): twenty keys, three dial-mode lamps and
// the jog dial over the module's picture, following the panel's reports; the
// DialMode radio buttons and the panel's keys A to D set the dial mode.
#pragma once

#include "panels/CPanelFrameDlg.h"
#include "panels/JogShuttleLayout.h"
#include "widgets/CDialCtrl.h"
#include "widgets/CShapedButton.h"

class CJogShuttlePanelDlg : public CPanelFrameDlg {
public:
    explicit CJogShuttlePanelDlg(CWnd* owner);

    // For inspection: the dial (null before Open and after the teardown), the
    // key of a kJogKeys index (null when not created), and how many keys of a
    // list (0 function, 1 transport, 2 round) have a window.
    CDialCtrl* Dial() { return m_dial.GetSafeHwnd() ? &m_dial : nullptr; }
    CShapedButton* Key(int index);
    size_t KeyListSize(int list) const;

protected:
    void CreatePanelControls() override;
    void DestroyPanelControls() override;
    void DestroyLateControls() override;
    void OnReport(const PanelReport& report) override;
    // The DialMode radio buttons.
    BOOL OnButtonClicked(int id) override;

private:
    void CreateDial();
    void CreateKeys();
    void CreateLamps();
    void ShowDialMode(int mode);
    void DialModeCommand(int mode);

    // In kJogKeys order: the function keys, the transport keys, the round keys.
    CShapedButton m_keys[kJogKeyCount];
    CShapedButton m_lamps[3];
    CDialCtrl m_dial;
};
