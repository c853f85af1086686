#include "panels/CMediaBarPanelDlg.h"

#include <iterator>
#include <type_traits>

#include "contract/PanelBlocks.h"
#include "panels/MediaBarReport.h"
#include "panels/PanelControls.h"
#include "res/resource.h"

CMediaBarPanelDlg::CMediaBarPanelDlg(CWnd* owner) : CPanelFrameDlg(kPanelMediaBar, owner) {}

CDialCtrl* CMediaBarPanelDlg::Knob(int k) {
    return (k >= 0 && k < kMediaBarKnobCount && m_knobs[k].GetSafeHwnd()) ? &m_knobs[k] : nullptr;
}

size_t CMediaBarPanelDlg::KnobCount() const { return CountWindows(m_knobs); }

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
        CDialCtrl& knob = m_knobs[k];
        knob.LoadSkin(IDB_MEDIABAR_KNOB_FIRST + static_cast<UINT>(k));
        knob.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, this, IDC_DIAL_CTRL);
        knob.MoveWindow(x, kMediaBarKnobY, kMediaBarKnobSize, kMediaBarKnobSize, TRUE);
        knob.SetMode(dial::Mode::kKnob);
        knob.SetCount(0);
        // The first Rotate takes the knob's geometry from its final size.
        knob.Rotate(0);
    }
}

void CMediaBarPanelDlg::DestroyPanelControls() { DestroyWindows(m_knobs); }

void CMediaBarPanelDlg::OnReport(const PanelReport& report) {
    const auto knobs = static_cast<int>(KnobCount());
    for (const MediaBarReportAction& action : DecodeMediaBarReport(report.changes, report.status, knobs)) {
        Check().Feed(action, ReportMs());
        switch (action.kind) {
        case MediaBarReportAction::SetKey:
            if (m_keys[action.index].GetSafeHwnd()) m_keys[action.index].SetState(action.value);
            break;
        case MediaBarReportAction::SetLed:
            if (auto* device = static_cast<ITqLedPanelDevice*>(Device()))
                device->SetLed(action.index, static_cast<std::uint8_t>(action.value));
            break;
        case MediaBarReportAction::SetLamp:
            if (m_keys[action.index].GetSafeHwnd()) m_keys[action.index].SetLamp(static_cast<BYTE>(action.value));
            break;
        case MediaBarReportAction::RotateKnob:
            m_knobs[action.index].Rotate(action.value);
            break;
        }
    }
}

std::vector<std::string> CMediaBarPanelDlg::LampNames() const {
    std::vector<std::string> names(kMediaBarKeyCount);
    for (const MediaBarKeyLayout& key : kMediaBarKeys) names[static_cast<size_t>(key.led)] = key.name;
    return names;
}

std::vector<bool> CMediaBarPanelDlg::LampsShown() const {
    std::vector<bool> lit(kMediaBarKeyCount);
    for (int k = 0; k < kMediaBarKeyCount; ++k) lit[static_cast<size_t>(kMediaBarKeys[k].led)] = m_keys[k].GetLamp() != 0;
    return lit;
}

void CMediaBarPanelDlg::ShowLamps(const std::vector<bool>& lit) {
    auto* device = static_cast<ITqLedPanelDevice*>(Device());
    if (!device) return;
    // The lamps on the picture follow when the panel reports its LEDs.
    for (const MediaBarKeyLayout& key : kMediaBarKeys)
        if (static_cast<size_t>(key.led) < lit.size()) device->SetLed(key.led, lit[static_cast<size_t>(key.led)] ? 1 : 0);
}
