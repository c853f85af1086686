// The Trackball window (PanelIndex 2): eight keys, and the ball with its turning
// ring, over the module's picture, following the panel's reports. Releasing a
// key asks the panel to toggle that key's LED.
#pragma once

#include <memory>
#include <vector>

#include "CPanelFrameDlg.h"
#include "CShapedButton.h"
#include "PanelKeys.h"

class CDialCtrl;

class CTrackballPanelDlg : public CPanelFrameDlg {
public:
    explicit CTrackballPanelDlg(CWnd* owner);
    ~CTrackballPanelDlg() override;

    // For inspection: the dial (null before Open and after the teardown), a key
    // of kTrackballKeys (null when not created) and the key list's size.
    CDialCtrl* Dial() const { return m_dial; }
    CShapedButton* Key(int index) const;
    size_t KeyCount() const { return m_keys.size(); }

protected:
    void CreatePanelControls() override;
    void DestroyPanelControls() override;
    void DestroyLateControls() override;
    void OnReport(const PanelReport& report) override;

private:
    void CreateDial();
    void CreateKeys();

    CDialCtrl* m_dial = nullptr;
    KeyList m_keys;
};
