#include "CMediaBarPanelDlg.h"

#include <iterator>
#include <type_traits>

#include "CDialCtrl.h"
#include "MediaBarLayout.h"
#include "MediaBarReport.h"
#include "PanelBlocks.h"
#include "resource.h"

CMediaBarPanelDlg::CMediaBarPanelDlg(CWnd* owner) : CPanelFrameDlg(kPanelMediaBar, owner) {}

CMediaBarPanelDlg::~CMediaBarPanelDlg() {
    // Normally the teardown has emptied the list already.
    DestroyPanelControls();
}

CDialCtrl* CMediaBarPanelDlg::Knob(int k) const {
    return (k >= 0 && static_cast<size_t>(k) < m_knobs.size()) ? m_knobs[static_cast<size_t>(k)].get() : nullptr;
}

void CMediaBarPanelDlg::CreatePanelControls() {
    AttachKeys();
    CreateKnobs();
}

void CMediaBarPanelDlg::AttachKeys() {
    static_assert(std::size(kMediaBarKeys) == std::extent_v<decltype(m_keys)>, "one key object per key");
    for (size_t i = 0; i < std::size(kMediaBarKeys); ++i) {
        const MediaBarKeyLayout& key = kMediaBarKeys[i];
        if (!m_keys[i].SubclassDlgItem(key.id, this)) continue;
        m_keys[i].LoadBitmaps(key.normalBitmap, key.pressedBitmap);
        m_keys[i].MoveWindow(key.x, key.y, key.width, key.height, TRUE);
    }
}

void CMediaBarPanelDlg::CreateKnobs() {
    for (int k = 0; k < kMediaBarKnobCount; ++k) {
        const int x = MediaBarKnobX(k);
        const RECT rect = {x, kMediaBarKnobY, x + kMediaBarKnobSize, kMediaBarKnobY + kMediaBarKnobSize};
        auto knob = std::make_unique<CDialCtrl>(kMediaBarFirstKnobBitmap + static_cast<UINT>(k));
        knob->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, this, IDC_DIAL_CTRL);
        knob->MoveWindow(x, kMediaBarKnobY, kMediaBarKnobSize, kMediaBarKnobSize, TRUE);
        knob->SetMode(dial::Mode::kKnob);
        knob->SetCount(0);
        // The first Rotate takes the knob's geometry from its final size.
        knob->Rotate(0);
        m_knobs.push_back(std::move(knob));
    }
}

void CMediaBarPanelDlg::DestroyPanelControls() {
    for (auto& knob : m_knobs) {
        knob->DestroyWindow();
        knob.reset();
    }
    m_knobs.clear();
}

void CMediaBarPanelDlg::OnReport(const PanelReport& report) {
    const auto knobs = static_cast<int>(m_knobs.size());
    for (const MediaBarReportAction& action : DecodeMediaBarReport(report.changes, report.status, knobs)) {
        switch (action.kind) {
        case MediaBarReportAction::SetKey:
            if (m_keys[action.a].GetSafeHwnd()) m_keys[action.a].SetState(action.b);
            break;
        case MediaBarReportAction::SetLed:
            if (auto* device = static_cast<ITqLedPanelDevice*>(Device()))
                device->SetLed(action.a, static_cast<std::uint8_t>(action.b));
            break;
        case MediaBarReportAction::SetLamp:
            if (m_keys[action.a].GetSafeHwnd()) m_keys[action.a].SetLamp(static_cast<BYTE>(action.b));
            break;
        case MediaBarReportAction::RotateKnob:
            m_knobs[static_cast<size_t>(action.a)]->Rotate(action.b);
            break;
        }
    }
}
