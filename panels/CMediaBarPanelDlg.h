// The Media Bar window (PanelIndex 3): keys A and B with their lamps and the
// eight knobs over the module's picture, following the panel's reports.
// Releasing a key asks the panel to toggle that key's LED; the lamps follow the
// LED state that the panel reports.
#pragma once

#include <string>
#include <vector>

#include "panels/CPanelFrameDlg.h"
#include "panels/MediaBarLayout.h"
#include "widgets/CDialCtrl.h"
#include "widgets/CLampKeyButton.h"

class CMediaBarPanelDlg : public CPanelFrameDlg {
public:
    explicit CMediaBarPanelDlg(CWnd* owner);

    // For inspection: key 0 (A) or 1 (B), knob k (null when not created) and
    // how many knobs have a window.
    CLampKeyButton& Key(int index) { return m_keys[index]; }
    CDialCtrl* Knob(int k);
    size_t KnobCount() const;

protected:
    void CreatePanelControls() override;
    void DestroyPanelControls() override;
    void OnReport(const PanelReport& report) override;

    // The Panel Check's lamp walk: the keys' lamps, by LED number.
    std::vector<std::string> LampNames() const override;
    std::vector<bool> LampsShown() const override;
    void ShowLamps(const std::vector<bool>& lit) override;

private:
    void AttachKeys();
    void CreateKnobs();

    CLampKeyButton m_keys[2];
    CDialCtrl m_knobs[kMediaBarKnobCount];
};
