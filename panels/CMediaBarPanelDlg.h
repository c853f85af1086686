// The Media Bar window (PanelIndex 3): keys A and B with their lamps and the
// eight knobs over the module's picture, following the panel's reports.
// Releasing a key asks the panel to toggle that key's LED; the lamps follow the
// LED state that the panel reports.
#pragma once

#include <memory>
#include <vector>

#include "CLampKeyButton.h"
#include "CPanelFrameDlg.h"

class CDialCtrl;

class CMediaBarPanelDlg : public CPanelFrameDlg {
public:
    explicit CMediaBarPanelDlg(CWnd* owner);
    ~CMediaBarPanelDlg() override;

    // For inspection: key 0 (A) or 1 (B), and knob k (null when not created).
    CLampKeyButton& Key(int index) { return m_keys[index]; }
    CDialCtrl* Knob(int k) const;
    size_t KnobCount() const { return m_knobs.size(); }

protected:
    void CreatePanelControls() override;
    void DestroyPanelControls() override;
    void OnReport(const PanelReport& report) override;

private:
    void AttachKeys();
    void CreateKnobs();

    CLampKeyButton m_keys[2];
    std::vector<std::unique_ptr<CDialCtrl>> m_knobs;
};
