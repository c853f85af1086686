#include "panels/CTrackballPanelDlg.h"

#include "contract/PanelBlocks.h"
#include "panels/PanelControls.h"
#include "panels/TrackballReport.h"
#include "res/resource.h"

CTrackballPanelDlg::CTrackballPanelDlg(CWnd* owner) : CPanelFrameDlg(kPanelTrackball, owner) {}

CShapedButton* CTrackballPanelDlg::Key(int index) {
    return (index >= 0 && index < kTrackballKeyCount && m_keys[index].GetSafeHwnd()) ? &m_keys[index] : nullptr;
}

size_t CTrackballPanelDlg::KeyCount() const { return CountWindows(m_keys); }

void CTrackballPanelDlg::CreatePanelControls() {
    CreateDial();
    CreateKeys();
}

void CTrackballPanelDlg::CreateDial() {
    m_dial.LoadSkin(IDB_TRACKBALL_BALL);
    m_dial.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, kTrackballDialCreateRect, this, IDC_DIAL_CTRL);
    m_dial.MoveWindow(kTrackballDialX, kTrackballDialY, kTrackballDialSize, kTrackballDialSize, TRUE);
    m_dial.SetEllipticRegion(kTrackballDialEllipse);
    m_dial.SetMode(dial::Mode::kRing);
    m_dial.SetCount(0);
    // The first Rotate takes the ring's geometry from its final size.
    m_dial.Rotate(0);
}

void CTrackballPanelDlg::CreateKeys() {
    for (int k = 0; k < kTrackballKeyCount; ++k) {
        const TrackballKeyLayout& key = kTrackballKeys[k];
        CreateKey(m_keys[k], this, key.id, key.x, key.y, key.width, key.height, key.normalBitmap, key.pressedBitmap);
        ApplyKeyOutline(m_keys[k], key.outline, kTrackballRoundKeyEllipse);
    }
}

void CTrackballPanelDlg::DestroyPanelControls() { DestroyWindows(m_keys); }

void CTrackballPanelDlg::DestroyLateControls() {
    if (m_dial.GetSafeHwnd()) m_dial.DestroyWindow();
}

void CTrackballPanelDlg::OnReport(const PanelReport& report) {
    for (const TrackballReportAction& action : DecodeTrackballReport(report.changes, report.status)) {
        Check().Feed(action, ReportMs());
        switch (action.kind) {
        case TrackballReportAction::SetKey:
            if (CShapedButton* key = Key(action.index)) key->SetState(action.value);
            break;
        case TrackballReportAction::SetLed:
            if (auto* device = static_cast<ITqLedPanelDevice*>(Device()))
                device->SetLed(action.index, static_cast<std::uint8_t>(action.value));
            break;
        case TrackballReportAction::MoveBall:
            if (CDialCtrl* dial = Dial()) dial->SetBallMark(action.dx, action.dy);
            break;
        case TrackballReportAction::RotateRing:
            if (CDialCtrl* dial = Dial()) dial->Rotate(action.value);
            break;
        }
    }
}

std::vector<std::string> CTrackballPanelDlg::LampNames() const {
    std::vector<std::string> names;
    for (const TrackballKeyLayout& key : kTrackballKeys) names.emplace_back(key.name);
    return names;
}

std::vector<bool> CTrackballPanelDlg::LampsShown() const {
    // The picture has no lamps: what the panel last reported is what was lit.
    PanelChanges changes{};
    PanelStatus latest{};
    Sink().GetTrackballBlocks(&changes, &latest);
    std::vector<bool> lit(kTrackballKeyCount);
    for (int k = 0; k < kTrackballKeyCount; ++k) lit[static_cast<size_t>(k)] = (latest.bytes[kTrackballLedByte] >> k) & 1u;
    return lit;
}

void CTrackballPanelDlg::ShowLamps(const std::vector<bool>& lit) {
    auto* device = static_cast<ITqLedPanelDevice*>(Device());
    if (!device) return;
    for (int k = 0; k < kTrackballKeyCount && k < static_cast<int>(lit.size()); ++k)
        device->SetLed(k, lit[static_cast<size_t>(k)] ? 1 : 0);
}
