#include "CJogShuttlePanelDlg.h"

#include <iterator>
#include <type_traits>

#include "CDialCtrl.h"
#include "JogShuttleLayout.h"
#include "JogShuttleReport.h"
#include "PanelBlocks.h"
#include "resource.h"

namespace {
constexpr DWORD kKeyStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | BS_OWNERDRAW;

RECT RectOf(int x, int y, int w, int h) { return RECT{x, y, x + w, y + h}; }
}  // namespace

CJogShuttlePanelDlg::CJogShuttlePanelDlg(CWnd* owner) : CPanelFrameDlg(kPanelJogShuttle, owner) {}

CJogShuttlePanelDlg::~CJogShuttlePanelDlg() {
    // Normally the teardown has emptied everything already.
    DestroyPanelControls();
    DestroyLateControls();
}

CShapedButton* CJogShuttlePanelDlg::Key(int index) const {
    const KeyList* list = &m_functionKeys;
    if (index >= kJogFunctionKeyCount) {
        index -= kJogFunctionKeyCount;
        list = &m_transportKeys;
        if (index >= kJogTransportKeyCount) {
            index -= kJogTransportKeyCount;
            list = &m_roundKeys;
        }
    }
    return (index >= 0 && static_cast<size_t>(index) < list->size()) ? (*list)[static_cast<size_t>(index)].get()
                                                                     : nullptr;
}

size_t CJogShuttlePanelDlg::KeyListSize(int list) const {
    switch (list) {
    case 0:
        return m_functionKeys.size();
    case 1:
        return m_transportKeys.size();
    default:
        return m_roundKeys.size();
    }
}

void CJogShuttlePanelDlg::CreatePanelControls() {
    SendDlgItemMessage(IDC_DIAL_OFF, BM_SETCHECK, 1);
    CreateDial();
    CreateKeys();
    CreateLamps();
}

void CJogShuttlePanelDlg::CreateDial() {
    m_dial = new CDialCtrl(IDB_JOG_DIAL);
    m_dial->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, kJogDialCreateRect, this, IDC_DIAL_CTRL);
    m_dial->MoveWindow(kJogDialX, kJogDialY, kJogDialSize, kJogDialSize, TRUE);
    m_dial->SetMode(kJogDialModes[kDialOff].dialMode);
    m_dial->SetCount(0);
    // The first Rotate takes the dial's geometry from its final size.
    m_dial->Rotate(0);
}

void CJogShuttlePanelDlg::CreateKeys() {
    for (int k = 0; k < kJogKeyCount; ++k) {
        const JogKeyLayout& key = kJogKeys[k];
        const RECT rect = RectOf(key.x, key.y, key.width, key.height);
        auto button = std::make_unique<CShapedButton>();
        button->Create(L"", kKeyStyle, rect, this, key.id);
        button->LoadBitmaps(key.normalBitmap, key.pressedBitmap);
        button->MoveWindow(rect, TRUE);
        KeyList& list = k < kJogFunctionKeyCount                           ? m_functionKeys
                        : k < kJogFunctionKeyCount + kJogTransportKeyCount ? m_transportKeys
                                                                           : m_roundKeys;
        list.push_back(std::move(button));
    }
    for (int k = kJogFunctionKeyCount + kJogTransportKeyCount; k < kJogKeyCount; ++k) {
        ApplyKeyOutline(*Key(k), kJogKeys[k].outline, kJogRoundKeyEllipse);
    }
}

void CJogShuttlePanelDlg::CreateLamps() {
    static_assert(std::size(kJogLamps) == std::extent_v<decltype(m_lamps)>, "one lamp window per lamp");
    for (size_t i = 0; i < std::size(kJogLamps); ++i) {
        const RECT rect = RectOf(kJogLamps[i].x, kJogLamps[i].y, kJogLampWidth, kJogLampHeight);
        m_lamps[i].Create(L"", kKeyStyle, rect, this, kJogLamps[i].id);
        m_lamps[i].LoadBitmaps(kJogLampDarkBitmap, kJogLampLitBitmap);
        m_lamps[i].MoveWindow(rect, TRUE);
    }
}

void CJogShuttlePanelDlg::DestroyPanelControls() {
    DestroyKeys(m_functionKeys);
    DestroyKeys(m_transportKeys);
    DestroyKeys(m_roundKeys);
}

void CJogShuttlePanelDlg::DestroyLateControls() {
    if (!m_dial) return;
    m_dial->DestroyWindow();
    delete m_dial;
    m_dial = nullptr;
}

void CJogShuttlePanelDlg::OnReport(const PanelReport& report) {
    for (const JogReportAction& action : DecodeJogShuttleReport(report.changes, report.status)) {
        switch (action.kind) {
        case JogReportAction::ShowDialMode:
            ShowDialMode(action.value);
            break;
        case JogReportAction::RotateDial:
            if (m_dial) m_dial->Rotate(action.value);
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
    if (m_dial) m_dial->SetMode(shown ? shown->dialMode : dial::Mode::kNone);
}

void CJogShuttlePanelDlg::DialModeCommand(int mode) {
    auto* device = static_cast<ITqJogShuttleDevice*>(Device());
    if (!device || mode < kDialOff || mode > kDialDmc) return;
    if (m_dial) {
        m_dial->SetMode(kJogDialModes[mode].dialMode);
        if (mode == kDialJog) m_dial->SetCount(0);
        // OFF draws its mark at rest over what the dial shows, so the skin goes
        // first; the other modes show the skin and the mark of count 0 (position
        // 0 in SHUTTLE and DMC).
        if (mode == kDialOff) m_dial->PaintSkin();
        m_dial->Rotate(0);
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
