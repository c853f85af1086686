// The program's callback object for the device library. It runs on the library's
// thread: it only queues the delivered bytes per panel and posts a message to its
// owner window, where all further handling happens.
#pragma once

#include <windows.h>

#include <mutex>
#include <vector>

#include "contract/TqDvManager.h"
#include "device/PanelReportQueue.h"

// The wParam of a connection message whose identifier names no panel: never a
// PanelIndex, so every receiver ignores it.
constexpr WPARAM kNoPanelIndex = ~WPARAM(0);

class CDeviceEventSink : public ITqEventSink {
public:
    // What happens to the panels' reports: queued for the owner window to take,
    // or dropped by a sink whose owner shows none (the main window).
    enum class Reports { kQueue, kDrop };

    explicit CDeviceEventSink(Reports reports = Reports::kQueue);
    ~CDeviceEventSink() override;
    CDeviceEventSink(const CDeviceEventSink&) = delete;
    CDeviceEventSink& operator=(const CDeviceEventSink&) = delete;

    // A report is queued for its panel; WM_PANEL_REPORT is posted for the first
    // report the owner has not been told of yet, so one message may stand for
    // several reports and the owner takes them all. A kDrop sink only accepts it.
    TqStatus OnPanelReport(const GUID* eventIid, const PanelChanges* changes, const PanelStatus* status) override;
    TqStatus OnPanelConnection(const GUID* eventIid, std::int32_t state) override;
    TqStatus OnPanelProgress(std::int32_t first, std::int32_t value) override;

    // The window the messages are posted to; null posts nothing.
    void SetOwner(HWND owner);

    // Every report of the panel not taken yet, oldest first, each handed out once.
    void TakeReports(int panel, std::vector<PanelReport>& out);
    // Reports of the panel that gave way because the owner fell too far behind.
    std::uint64_t DroppedReports(int panel) const;

    // The panel's newest report, whether taken or not (zeroes before any): for
    // re-reading the panel's current values outside report handling.
    void GetJogShuttleBlocks(PanelChanges* changes, PanelStatus* status) const;
    void GetAudioBlocks(PanelChanges* changes, PanelStatus* status) const;
    void GetTrackballBlocks(PanelChanges* changes, PanelStatus* status) const;
    void GetMediaBarBlocks(PanelChanges* changes, PanelStatus* status) const;

private:
    void CopyLatest(int panel, PanelChanges* changes, PanelStatus* status) const;
    HWND OwnerHwnd() const;

    const Reports m_reportUse;
    mutable std::mutex m_ownerLock;
    HWND m_ownerHwnd = nullptr;
    PanelReportQueue m_reports[kPanelCount];
};
