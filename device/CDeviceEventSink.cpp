#include "device/CDeviceEventSink.h"

#include "contract/PanelIids.h"
#include "device/PanelMessages.h"

namespace {
// Without an owner window a post would land in the library thread's own queue,
// which nobody reads.
TqStatus Post(HWND owner, UINT msg, WPARAM wp, LPARAM lp) { return owner ? ::PostMessageW(owner, msg, wp, lp) : 0; }

bool ValidPanel(int panel) { return panel >= 0 && panel < kPanelCount; }
}  // namespace

CDeviceEventSink::CDeviceEventSink(Reports reports) : m_reportUse(reports) {}

CDeviceEventSink::~CDeviceEventSink() = default;

void CDeviceEventSink::SetOwner(HWND owner) {
    std::lock_guard<std::mutex> guard(m_ownerLock);
    m_ownerHwnd = owner;
}

HWND CDeviceEventSink::OwnerHwnd() const {
    std::lock_guard<std::mutex> guard(m_ownerLock);
    return m_ownerHwnd;
}

TqStatus CDeviceEventSink::OnPanelReport(const GUID* eventIid, const PanelChanges* changes, const PanelStatus* status) {
    const int panel = PanelOfEventIid(eventIid);
    if (panel < 0 || !changes || !status) return 0;
    if (m_reportUse == Reports::kDrop) return 1;
    PanelReportQueue& queue = m_reports[panel];
    if (!queue.Push(PanelReport{*changes, *status, ::GetTickCount64()})) return 1;  // the owner has been told already
    const TqStatus posted = Post(OwnerHwnd(), WM_PANEL_REPORT, 0, 0);
    // A lost notice would leave the queue waiting for a Take that never comes.
    if (!posted) queue.NoticeLost();
    return posted;
}

TqStatus CDeviceEventSink::OnPanelConnection(const GUID* eventIid, std::int32_t state) {
    const int panel = PanelOfEventIid(eventIid);
    // Still posted, as the library asked, but with a wParam no receiver takes for
    // a panel: a null identifier must not pass for panel 0.
    const WPARAM wp = panel >= 0 ? static_cast<WPARAM>(panel) : kNoPanelIndex;
    return Post(OwnerHwnd(), WM_PANEL_CONNECTION, wp, static_cast<LPARAM>(state));
}

TqStatus CDeviceEventSink::OnPanelProgress(std::int32_t, std::int32_t) {
    return Post(OwnerHwnd(), WM_PANEL_PROGRESS, 0, 0);
}

void CDeviceEventSink::TakeReports(int panel, std::vector<PanelReport>& out) {
    if (ValidPanel(panel))
        m_reports[panel].Take(out);
    else
        out.clear();
}

std::uint64_t CDeviceEventSink::DroppedReports(int panel) const {
    return ValidPanel(panel) ? m_reports[panel].Dropped() : 0;
}

void CDeviceEventSink::CopyLatest(int panel, PanelChanges* changes, PanelStatus* status) const {
    const PanelReport latest = m_reports[panel].Latest();
    if (changes) *changes = latest.changes;
    if (status) *status = latest.status;
}

void CDeviceEventSink::GetJogShuttleBlocks(PanelChanges* c, PanelStatus* s) const {
    CopyLatest(kPanelJogShuttle, c, s);
}
void CDeviceEventSink::GetAudioBlocks(PanelChanges* c, PanelStatus* s) const { CopyLatest(kPanelAudio, c, s); }
void CDeviceEventSink::GetTrackballBlocks(PanelChanges* c, PanelStatus* s) const { CopyLatest(kPanelTrackball, c, s); }
void CDeviceEventSink::GetMediaBarBlocks(PanelChanges* c, PanelStatus* s) const { CopyLatest(kPanelMediaBar, c, s); }
