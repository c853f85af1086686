// The Jog & Shuttle window (PanelIndex 0): twenty keys, three dial-mode lamps and
// the jog dial over the module's picture, following the panel's reports; the
// DialMode radio buttons and the panel's keys A to D set the dial mode.
#pragma once

#include <memory>
#include <vector>

#include "CPanelFrameDlg.h"
#include "CShapedButton.h"
#include "PanelKeys.h"

class CDialCtrl;

class CJogShuttlePanelDlg : public CPanelFrameDlg {
public:
    explicit CJogShuttlePanelDlg(CWnd* owner);
    ~CJogShuttlePanelDlg() override;

    // For inspection: the dial (null before Open and after the teardown) and
    // the key of a kJogKeys index (null when not created).
    CDialCtrl* Dial() const { return m_dial; }
    CShapedButton* Key(int index) const;
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

    CDialCtrl* m_dial = nullptr;
    KeyList m_functionKeys;
    KeyList m_transportKeys;
    KeyList m_roundKeys;
    CShapedButton m_lamps[3];
};
