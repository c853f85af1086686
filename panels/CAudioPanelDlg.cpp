#include "panels/CAudioPanelDlg.h"

#include "contract/PanelBlocks.h"
#include "panels/PanelControls.h"
#include "res/TimerIds.h"
#include "res/resource.h"

namespace {
constexpr DWORD kFaderFlags = WS_CHILD | WS_VISIBLE | CFaderCtrl::kVertical;

MotorCheck::Positions FaderPositionsIn(const PanelStatus& status) {
    MotorCheck::Positions positions{};
    for (int i = 0; i < kAudioFaderCount; ++i) positions[static_cast<size_t>(i)] = AudioFaderInStatus(status, i);
    return positions;
}

int KeyOfId(UINT id) {
    for (int k = 0; k < kAudioKeyCount; ++k)
        if (kAudioKeys[k].id == id) return k;
    return -1;
}
}  // namespace

CAudioPanelDlg::CAudioPanelDlg(CWnd* owner) : CPanelFrameDlg(kPanelAudio, owner) {}

CFaderCtrl* CAudioPanelDlg::Fader(int fader) {
    CFaderCtrl* control = fader == kAudioMasterFader                   ? &m_master
                          : (fader >= 0 && fader < kAudioMasterFader) ? &m_channelFaders[fader]
                                                                       : nullptr;
    return control && control->GetSafeHwnd() ? control : nullptr;
}

size_t CAudioPanelDlg::ChannelFaderCount() const { return CountWindows(m_channelFaders); }

ITqAudioDevice* CAudioPanelDlg::AudioDevice() const { return static_cast<ITqAudioDevice*>(Device()); }

void CAudioPanelDlg::CreatePanelControls() {
    CreateKeys();
    CreateLeds();
    CreateFaders();
}

void CAudioPanelDlg::CreateKeys() {
    for (UINT id : kAudioKeySetupOrder) {
        const int k = KeyOfId(id);
        const AudioKeyLayout& key = kAudioKeys[k];
        m_keys[k].SubclassDlgItem(id, this);
        m_keys[k].LoadBitmaps(kAudioKeyBitmap, kAudioKeyPressedBitmap);
        m_keys[k].MoveWindow(key.x, key.y, kAudioKeySize, kAudioKeySize, TRUE);
    }
}

void CAudioPanelDlg::CreateLeds() {
    for (auto [led, layout] : {std::pair<CShapedButton*, const AudioLedLayout*>{&m_over, &kAudioOver},
                               std::pair<CShapedButton*, const AudioLedLayout*>{&m_data, &kAudioData}}) {
        led->SubclassDlgItem(layout->id, this);
        led->LoadBitmaps(kAudioLedDarkBitmap, kAudioLedLitBitmap);
        led->MoveWindow(layout->x, layout->y, kAudioLedWidth, kAudioLedHeight, TRUE);
    }
}

void CAudioPanelDlg::CreateFaders() {
    static_assert((kAudioFaderEndX - kAudioFaderFirstX) / kAudioFaderStepX == kAudioMasterFader,
                  "one channel fader per step of the layout");
    int x = kAudioFaderFirstX;
    for (CFaderCtrl& fader : m_channelFaders) {
        fader.CreateFader(kFaderFlags, x, kAudioFaderY, this, kAudioFaderTrack, kAudioFaderBackground,
                          kAudioChannelThumb, CFaderCtrl::kNoMask);
        fader.SetRange(kAudioFaderMin, kAudioFaderMax);
        x += kAudioFaderStepX;
    }
    m_master.CreateFader(kFaderFlags, kAudioMasterX, kAudioFaderY, this, kAudioFaderTrack, kAudioFaderBackground,
                         kAudioMasterThumb, CFaderCtrl::kNoMask);
    m_master.SetRange(kAudioFaderMin, kAudioFaderMax);
}

void CAudioPanelDlg::DestroyPanelControls() {
    m_pendingWait.Stop();
    if (GetSafeHwnd()) KillTimer(kFaderPendingTimerId);
    DestroyWindows(m_channelFaders);
    if (m_master.GetSafeHwnd()) m_master.DestroyWindow();
}

void CAudioPanelDlg::OnReport(const PanelReport& report) {
    const std::vector<AudioAction> actions = DecodeAudioReport(report.changes, report.status);
    // Only what the panel reported proves a control, never the re-syncs Apply also shows.
    for (const AudioAction& action : actions) Check().Feed(action, ReportMs());
    Apply(actions);
    // The motor check reads where the panel says its faders are, never what it commanded.
    CheckHost().FaderReport(report.arrivedMs ? report.arrivedMs : ReportMs(), FaderPositionsIn(report.status));
}

void CAudioPanelDlg::Apply(const std::vector<AudioAction>& actions) {
    ITqAudioDevice* device = AudioDevice();
    for (const AudioAction& action : actions) {
        switch (action.kind) {
        case AudioAction::KeyDown:
            m_keys[action.index].SetState(TRUE);
            break;
        case AudioAction::KeyUp: {
            CLampKeyButton& key = m_keys[action.index];
            key.SetState(FALSE);
            if (!device) break;
            std::optional<BYTE>& pending = m_pendingLamps[static_cast<size_t>(action.index)];
            const BYTE lamp = pending.value_or(key.GetLamp()) == 0 ? 1 : 0;
            // The lamp window follows once the batch is through: a key worked
            // many times a frame would otherwise show and hide it every time.
            pending = lamp;
            device->SetLed(AudioLedOfKey(action.index), lamp);
            break;
        }
        case AudioAction::FaderPos:
            // A fader the user holds refuses; the LEDs below still follow the panel.
            if (CFaderCtrl* fader = Fader(action.index)) fader->SetPos(action.value);
            break;
        case AudioAction::Over:
            ShowLed(m_over, kAudioLedOver, action.value, device != nullptr);
            break;
        case AudioAction::Data:
            ShowLed(m_data, kAudioLedData, action.value, device != nullptr);
            break;
        }
    }
}

void CAudioPanelDlg::OnReportsHandled() {
    for (int k = 0; k < kAudioKeyCount; ++k) {
        std::optional<BYTE>& pending = m_pendingLamps[static_cast<size_t>(k)];
        if (pending) m_keys[k].SetLamp(*pending);
        pending.reset();
    }
}

void CAudioPanelDlg::ShowLed(CShapedButton& led, int number, int lit, bool sendLed) {
    if (led.GetSafeHwnd()) led.SetState(lit ? TRUE : FALSE);
    if (sendLed) AudioDevice()->SetLed(number, static_cast<std::uint8_t>(lit));
}

PanelStatus CAudioPanelDlg::ReadState() {
    // GetState may fail without touching the block: what it leaves must never
    // be taken for the panel's positions.
    PanelStatus state{};
    if (ITqAudioDevice* device = AudioDevice()) device->GetState(&state);
    return state;
}

void CAudioPanelDlg::OnPanelConnected() {
    if (!AudioDevice()) return;
    const PanelStatus state = ReadState();
    for (int i = 0; i < kAudioFaderCount; ++i)
        if (CFaderCtrl* fader = Fader(i)) fader->SetPos(AudioFaderInStatus(state, i));
    for (int k = 0; k < kAudioKeyCount; ++k) m_keys[k].SetLamp(AudioLampInState(state, k) ? 1 : 0);
    PanelChanges changes{};
    PanelStatus latest{};
    Sink().GetAudioBlocks(&changes, &latest);
    // Before the panel's first report the sink's pair is all zero: it would pull
    // every fader to 0 and light DATA although the panel just said otherwise.
    Apply(AudioFaderSync(AudioPairIsEmpty(changes, latest) ? state : latest));
}

void CAudioPanelDlg::OnModeSwitched(PanelMode mode) {
    m_pendingWait.Stop();
    KillTimer(kFaderPendingTimerId);
    if (mode != PanelMode::Normal) return;
    PanelChanges changes{};
    PanelStatus latest{};
    Sink().GetAudioBlocks(&changes, &latest);
    // An all-zero pair is no report at all; the hand-back below positions the
    // faders from the panel's own state.
    if (!AudioPairIsEmpty(changes, latest)) Apply(AudioFaderSync(latest));
    if (!AudioDevice()) return;
    m_pendingWait.Start(::GetTickCount64());
    PollPendingWord();
    // The window stays responsive while the panel is busy: the word is read
    // again on a timer rather than in a loop.
    if (m_pendingWait.Running() && !SetTimer(kFaderPendingTimerId, kPendingPollMs)) {
        m_pendingWait.Stop();
        HandFadersBack();
    }
}

void CAudioPanelDlg::PollPendingWord() {
    PanelDeviceStatus block{};
    const TqStatus status = GetDeviceStatus(&block);
    if (m_pendingWait.Read(::GetTickCount64(), status, block) == PendingWordWait::Step::Wait) return;
    KillTimer(kFaderPendingTimerId);
    HandFadersBack();
}

BOOL CAudioPanelDlg::OnTimer(UINT_PTR id) {
    if (id != kFaderPendingTimerId) return CPanelFrameDlg::OnTimer(id);
    if (m_pendingWait.Running())
        PollPendingWord();
    else
        KillTimer(id);
    return TRUE;
}

void CAudioPanelDlg::HandFadersBack() {
    ITqAudioDevice* device = AudioDevice();
    if (!device) return;
    const PanelStatus state = ReadState();
    for (int i = 0; i < kAudioFaderCount; ++i) {
        const int pos = AudioFaderInStatus(state, i);
        if (CFaderCtrl* fader = Fader(i)) fader->SetPos(pos);
        device->SetFader(i, 0, static_cast<std::uint8_t>(pos));
    }
}

void CAudioPanelDlg::OnFaderMoved(HWND hwnd) {
    ITqAudioDevice* device = AudioDevice();
    for (int i = 0; i < kAudioFaderCount; ++i) {
        CFaderCtrl* fader = Fader(i);
        if (!fader || fader->GetSafeHwnd() != hwnd) continue;
        const int pos = fader->GetPos();
        if (device) device->SetFader(i, 1, static_cast<std::uint8_t>(pos));
        if (i == kAudioMasterFader) {
            // The panel's LEDs follow when it reports the master's new place.
            m_over.SetState(AudioOverLit(pos) ? TRUE : FALSE);
            m_data.SetState(AudioDataLit(pos) ? TRUE : FALSE);
        }
    }
}

LRESULT CAudioPanelDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_FADER_VCHANGED:
        OnFaderMoved(reinterpret_cast<HWND>(lp));
        return 0;
    case WM_FADER_RELEASED:
        HandFadersBack();
        return 0;
    default:
        return CPanelFrameDlg::WindowProc(msg, wp, lp);
    }
}

std::vector<std::string> CAudioPanelDlg::LampNames() const {
    // By LED number, which is how the lamps sit beside each other on the panel.
    std::vector<std::string> names(kAudioLedData + 1);
    for (int k = 0; k < kAudioKeyCount; ++k) names[static_cast<size_t>(AudioLedOfKey(k))] = kAudioKeys[k].name;
    names[kAudioLedOver] = "OVER";
    names[kAudioLedData] = "DATA";
    return names;
}

std::vector<bool> CAudioPanelDlg::LampsShown() const {
    std::vector<bool> lit(kAudioLedData + 1);
    for (int k = 0; k < kAudioKeyCount; ++k) lit[static_cast<size_t>(AudioLedOfKey(k))] = m_keys[k].GetLamp() != 0;
    lit[kAudioLedOver] = m_over.GetSafeHwnd() && (m_over.GetState() & BST_PUSHED);
    lit[kAudioLedData] = m_data.GetSafeHwnd() && (m_data.GetState() & BST_PUSHED);
    return lit;
}

void CAudioPanelDlg::ShowLamps(const std::vector<bool>& lit) {
    ITqAudioDevice* device = AudioDevice();
    const auto litAt = [&](int led) { return static_cast<size_t>(led) < lit.size() && lit[static_cast<size_t>(led)]; };
    for (int k = 0; k < kAudioKeyCount; ++k) {
        const int led = AudioLedOfKey(k);
        const BYTE on = litAt(led) ? 1 : 0;
        // A lamp a batch left pending would otherwise overwrite the walk's.
        m_pendingLamps[static_cast<size_t>(k)].reset();
        m_keys[k].SetLamp(on);
        if (device) device->SetLed(led, on);
    }
    ShowLed(m_over, kAudioLedOver, litAt(kAudioLedOver) ? 1 : 0, device != nullptr);
    ShowLed(m_data, kAudioLedData, litAt(kAudioLedData) ? 1 : 0, device != nullptr);
}

bool CAudioPanelDlg::FaderDragged() const {
    for (const CFaderCtrl& fader : m_channelFaders)
        if (fader.GetSafeHwnd() && fader.IsDragging()) return true;
    return m_master.GetSafeHwnd() && m_master.IsDragging();
}

MotorCheck::Positions CAudioPanelDlg::FaderPositions() { return FaderPositionsIn(ReadState()); }

void CAudioPanelDlg::LockFaders(bool locked) {
    for (int i = 0; i < kAudioFaderCount; ++i)
        if (CFaderCtrl* fader = Fader(i)) fader->EnableWindow(locked ? FALSE : TRUE);
}

void CAudioPanelDlg::SetFader(int fader, int hold, int position) {
    if (ITqAudioDevice* device = AudioDevice())
        device->SetFader(fader, hold, static_cast<std::uint8_t>(position));
}
