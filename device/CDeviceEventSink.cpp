#include "CDeviceEventSink.h"

#include "CWnd.h"
#include "PanelIids.h"
#include "PanelMessages.h"

namespace {
// Without an owner window a post would land in the library thread's own queue,
// which nobody reads.
TqStatus Post(HWND owner, UINT msg, WPARAM wp, LPARAM lp) {
    return owner ? ::PostMessageW(owner, msg, wp, lp) : 0;
}
}  // namespace

CDeviceEventSink::CDeviceEventSink(CWnd* owner) : m_owner(owner) {}

CDeviceEventSink::~CDeviceEventSink() = default;

void CDeviceEventSink::SetOwner(CWnd* owner) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_owner = owner;
    m_ownerHwnd = owner ? owner->GetSafeHwnd() : nullptr;
}

HWND CDeviceEventSink::OwnerHwnd() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_ownerHwnd;
}

TqStatus CDeviceEventSink::OnPanelReport(const GUID* eventIid, const PanelChanges* changes,
                                         const PanelStatus* status) {
    const int panel = PanelOfEventIid(eventIid);
    if (panel < 0 || !changes || !status) return 0;
    HWND owner;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_blocks[panel].changes = *changes;
        m_blocks[panel].status = *status;
        owner = m_ownerHwnd;
    }
    return Post(owner, WM_PANEL_REPORT, 0, 0);
}

TqStatus CDeviceEventSink::OnPanelConnection(const GUID* eventIid, std::int32_t state) {
    const int panel = PanelOfEventIid(eventIid);
    // An unknown identifier is still posted, with a wParam no receiver takes for a panel.
    const WPARAM wp = panel >= 0 ? static_cast<WPARAM>(panel) : reinterpret_cast<WPARAM>(eventIid);
    return Post(OwnerHwnd(), WM_PANEL_CONNECTION, wp, static_cast<LPARAM>(state));
}

TqStatus CDeviceEventSink::OnPanelProgress(std::int32_t, std::int32_t) {
    return Post(OwnerHwnd(), WM_PANEL_PROGRESS, 0, 0);
}

void CDeviceEventSink::CopyOut(int panel, PanelChanges* changes, PanelStatus* status) const {
    std::lock_guard<std::mutex> guard(m_lock);
    if (changes) *changes = m_blocks[panel].changes;
    if (status) *status = m_blocks[panel].status;
}

void CDeviceEventSink::GetJogShuttleBlocks(PanelChanges* c, PanelStatus* s) const { CopyOut(kPanelJogShuttle, c, s); }
void CDeviceEventSink::GetAudioBlocks(PanelChanges* c, PanelStatus* s) const { CopyOut(kPanelAudio, c, s); }
void CDeviceEventSink::GetTrackballBlocks(PanelChanges* c, PanelStatus* s) const { CopyOut(kPanelTrackball, c, s); }
void CDeviceEventSink::GetMediaBarBlocks(PanelChanges* c, PanelStatus* s) const { CopyOut(kPanelMediaBar, c, s); }
