// The Trackball window (PanelIndex 2): eight keys, and the ball with its turning
// ring, over the module's picture, following the panel's reports. Releasing a
// key asks the panel to toggle that key's LED.
#pragma once

#include <string>
#include <vector>

#include "panels/CPanelFrameDlg.h"
#include "panels/TrackballLayout.h"
#include "widgets/CDialCtrl.h"
#include "widgets/CShapedButton.h"

class CTrackballPanelDlg : public CPanelFrameDlg {
public:
    explicit CTrackballPanelDlg(CWnd* owner);

    // For inspection: the dial (null before Open and after the teardown), a key
    // of kTrackballKeys (null when not created) and how many keys have a window.
    CDialCtrl* Dial() { return m_dial.GetSafeHwnd() ? &m_dial : nullptr; }
    CShapedButton* Key(int index);
    size_t KeyCount() const;

protected:
    void CreatePanelControls() override;
    void DestroyPanelControls() override;
    void DestroyLateControls() override;
    void OnReport(const PanelReport& report) override;

    // The Panel Check's lamp walk: the keys' lamps, by LED number.
    std::vector<std::string> LampNames() const override;
    std::vector<bool> LampsShown() const override;
    void ShowLamps(const std::vector<bool>& lit) override;

private:
    void CreateDial();
    void CreateKeys();

    CShapedButton m_keys[kTrackballKeyCount];
    CDialCtrl m_dial;
};
