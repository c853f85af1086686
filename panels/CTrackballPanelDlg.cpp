#include "CTrackballPanelDlg.h"

#include "CDialCtrl.h"
#include "PanelBlocks.h"
#include "TrackballLayout.h"
#include "TrackballReport.h"
#include "resource.h"

namespace {
constexpr DWORD kKeyStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | BS_OWNERDRAW;

RECT RectOf(int x, int y, int w, int h) { return RECT{x, y, x + w, y + h}; }
}  // namespace

CTrackballPanelDlg::CTrackballPanelDlg(CWnd* owner) : CPanelFrameDlg(kPanelTrackball, owner) {}

CTrackballPanelDlg::~CTrackballPanelDlg() {
    // Normally the teardown has emptied everything already.
    DestroyPanelControls();
    DestroyLateControls();
}

CShapedButton* CTrackballPanelDlg::Key(int index) const {
    return (index >= 0 && static_cast<size_t>(index) < m_keys.size()) ? m_keys[static_cast<size_t>(index)].get()
                                                                      : nullptr;
}

void CTrackballPanelDlg::CreatePanelControls() {
    CreateDial();
    CreateKeys();
}

void CTrackballPanelDlg::CreateDial() {
    m_dial = new CDialCtrl(IDB_TRACKBALL_BALL);
    m_dial->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, kTrackballDialCreateRect, this, IDC_DIAL_CTRL);
    m_dial->MoveWindow(kTrackballDialX, kTrackballDialY, kTrackballDialSize, kTrackballDialSize, TRUE);
    m_dial->SetEllipticRegion(kTrackballDialEllipse);
    m_dial->SetMode(dial::Mode::kRing);
    m_dial->SetCount(0);
    // The first Rotate takes the ring's geometry from its final size.
    m_dial->Rotate(0);
}

void CTrackballPanelDlg::CreateKeys() {
    for (const TrackballKeyLayout& key : kTrackballKeys) {
        const RECT rect = RectOf(key.x, key.y, key.width, key.height);
        auto button = std::make_unique<CShapedButton>();
        button->Create(L"", kKeyStyle, rect, this, key.id);
        button->LoadBitmaps(key.normalBitmap, key.pressedBitmap);
        button->MoveWindow(rect, TRUE);
        ApplyKeyOutline(*button, key.outline, kTrackballRoundKeyEllipse);
        m_keys.push_back(std::move(button));
    }
}

void CTrackballPanelDlg::DestroyPanelControls() { DestroyKeys(m_keys); }

void CTrackballPanelDlg::DestroyLateControls() {
    if (!m_dial) return;
    m_dial->DestroyWindow();
    delete m_dial;
    m_dial = nullptr;
}

void CTrackballPanelDlg::OnReport(const PanelReport& report) {
    for (const TrackballReportAction& action : DecodeTrackballReport(report.changes, report.status)) {
        switch (action.kind) {
        case TrackballReportAction::SetKey:
            if (CShapedButton* key = Key(action.a)) key->SetState(action.b);
            break;
        case TrackballReportAction::SetLed:
            if (auto* device = static_cast<ITqLedPanelDevice*>(Device()))
                device->SetLed(action.a, static_cast<std::uint8_t>(action.b));
            break;
        case TrackballReportAction::MoveBall:
            if (m_dial) m_dial->SetBallMark(action.a, action.b);
            break;
        case TrackballReportAction::RotateRing:
            if (m_dial) m_dial->Rotate(action.a);
            break;
        }
    }
}
