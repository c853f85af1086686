#include "panels/CJogShuttlePanelDlg.h"

#include <iterator>
#include <type_traits>

#include "contract/PanelBlocks.h"
#include "panels/JogShuttleReport.h"
#include "panels/PanelControls.h"
#include "res/resource.h"

CJogShuttlePanelDlg::CJogShuttlePanelDlg(CWnd* owner) : CPanelFrameDlg(kPanelJogShuttle, owner) {}

CShapedButton* CJogShuttlePanelDlg::Key(int index) {
    return (index >= 0 && index < kJogKeyCount && m_keys[index].GetSafeHwnd()) ? &m_keys[index] : nullptr;
}

size_t CJogShuttlePanelDlg::KeyListSize(int list) const {
    switch (list) {
    case 0:
        return CountWindows(m_keys, 0, kJogFunctionKeyCount);
    case 1:
        return CountWindows(m_keys, kJogFunctionKeyCount, kJogTransportKeyCount);
    default:
        return CountWindows(m_keys, kJogFunctionKeyCount + kJogTransportKeyCount, kJogRoundKeyCount);
    }
}

void CJogShuttlePanelDlg::CreatePanelControls() {
    SendDlgItemMessage(IDC_DIAL_OFF, BM_SETCHECK, 1);
    CreateDial();
    CreateKeys();
    CreateLamps();
}

void CJogShuttlePanelDlg::CreateDial() {
    m_dial.LoadSkin(IDB_JOG_DIAL);
    m_dial.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, kJogDialCreateRect, this, IDC_DIAL_CTRL);
    m_dial.MoveWindow(kJogDialX, kJogDialY, kJogDialSize, kJogDialSize, TRUE);
    m_dial.SetMode(kJogDialModes[kDialOff].dialMode);
    m_dial.SetCount(0);
    // The first Rotate takes the dial's geometry from its final size.
    m_dial.Rotate(0);
}

void CJogShuttlePanelDlg::CreateKeys() {
    for (int k = 0; k < kJogKeyCount; ++k) {
        const JogKeyLayout& key = kJogKeys[k];
        CreateKey(m_keys[k], this, key.id, key.x, key.y, key.width, key.height, key.normalBitmap, key.pressedBitmap);
    }
    for (int k = kJogFunctionKeyCount + kJogTransportKeyCount; k < kJogKeyCount; ++k)
        ApplyKeyOutline(m_keys[k], kJogKeys[k].outline, kJogRoundKeyEllipse);
}

void CJogShuttlePanelDlg::CreateLamps() {
    static_assert(std::size(kJogLamps) == std::extent_v<decltype(m_lamps)>, "one lamp window per lamp");
    for (size_t i = 0; i < std::size(kJogLamps); ++i)
        CreateKey(m_lamps[i], this, kJogLamps[i].id, kJogLamps[i].x, kJogLamps[i].y, kJogLampWidth, kJogLampHeight,
                  kJogLampDarkBitmap, kJogLampLitBitmap);
}

void CJogShuttlePanelDlg::DestroyPanelControls() { DestroyWindows(m_keys); }

void CJogShuttlePanelDlg::DestroyLateControls() {
    if (m_dial.GetSafeHwnd()) m_dial.DestroyWindow();
}

void CJogShuttlePanelDlg::OnReport(const PanelReport& report) {
    for (const JogReportAction& action : DecodeJogShuttleReport(report.changes, report.status)) {
        Check().Feed(action, ReportMs());
        switch (action.kind) {
        case JogReportAction::ShowDialMode:
            ShowDialMode(action.value);
            break;
        case JogReportAction::RotateDial:
            if (CDialCtrl* dial = Dial()) dial->Rotate(action.value);
            break;
        case JogReportAction::SetKey:
            if (CShapedButton* key = Key(action.key)) key->SetState(action.value);
            break;
        case JogReportAction::DialCommand:
            DialModeCommand(action.value);
            break;
        }
    }
}

void CJogShuttlePanelDlg::ShowDialMode(int mode) {
    const JogDialModeLayout* shown = (mode >= kDialOff && mode <= kDialDmc) ? &kJogDialModes[mode] : nullptr;
    for (CShapedButton& lamp : m_lamps) lamp.SetState(FALSE);
    if (shown && shown->lamp >= 0) m_lamps[shown->lamp].SetState(TRUE);
    for (const JogDialModeLayout& each : kJogDialModes)
        SendDlgItemMessage(each.radio, BM_SETCHECK, &each == shown ? BST_CHECKED : BST_UNCHECKED);
    // An unknown mode makes the dial draw nothing until a valid mode arrives; the
    // new mode shows at the next Rotate or when the dial is redrawn.
    if (CDialCtrl* dial = Dial()) dial->SetMode(shown ? shown->dialMode : dial::Mode::kNone);
}

void CJogShuttlePanelDlg::DialModeCommand(int mode) {
    auto* device = static_cast<ITqJogShuttleDevice*>(Device());
    if (!device || mode < kDialOff || mode > kDialDmc) return;
    if (CDialCtrl* dial = Dial()) {
        dial->SetMode(kJogDialModes[mode].dialMode);
        if (mode == kDialJog) dial->SetCount(0);
        // OFF draws its mark at rest over what the dial shows, so the skin goes
        // first; the other modes show the skin and the mark of count 0 (position
        // 0 in SHUTTLE and DMC).
        if (mode == kDialOff) dial->PaintSkin();
        dial->Rotate(0);
    }
    // Lamps and radio buttons follow the panel's next report of a changed mode.
    std::array<std::uint8_t, kDialModeBlockSize> block = JogDialModeBlock(mode);
    device->SetDialMode(block.data());
}

BOOL CJogShuttlePanelDlg::OnButtonClicked(int id) {
    for (int mode = 0; mode < static_cast<int>(std::size(kJogDialModes)); ++mode) {
        if (static_cast<int>(kJogDialModes[mode].radio) != id) continue;
        DialModeCommand(mode);
        return TRUE;
    }
    return CPanelFrameDlg::OnButtonClicked(id);
}
