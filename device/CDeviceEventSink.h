// The program's callback object for the device library. It runs on the library's
// thread: it only copies the delivered bytes into its per-panel buffers and posts
// a message to its owner window, where all further handling happens.
#pragma once

#include <windows.h>

#include <mutex>

#include "TqDvManager.h"

class CWnd;

class CDeviceEventSink : public ITqEventSink {
public:
    explicit CDeviceEventSink(CWnd* owner = nullptr);
    ~CDeviceEventSink() override;
    CDeviceEventSink(const CDeviceEventSink&) = delete;
    CDeviceEventSink& operator=(const CDeviceEventSink&) = delete;

    TqStatus OnPanelReport(const GUID* eventIid, const PanelChanges* changes, const PanelStatus* status) override;
    TqStatus OnPanelConnection(const GUID* eventIid, std::int32_t state) override;
    TqStatus OnPanelProgress(std::int32_t first, std::int32_t value) override;

    // Keeps the owner and its current window handle; posts go to that handle.
    void SetOwner(CWnd* owner);

    void GetJogShuttleBlocks(PanelChanges* changes, PanelStatus* status) const;
    void GetAudioBlocks(PanelChanges* changes, PanelStatus* status) const;
    void GetTrackballBlocks(PanelChanges* changes, PanelStatus* status) const;
    void GetMediaBarBlocks(PanelChanges* changes, PanelStatus* status) const;

private:
    void CopyOut(int panel, PanelChanges* changes, PanelStatus* status) const;
    HWND OwnerHwnd() const;

    struct BlockPair {
        PanelChanges changes;
        PanelStatus status;
    };

    CWnd* m_owner = nullptr;
    HWND m_ownerHwnd = nullptr;
    // A copy-in on the library's thread and a copy-out on the window thread must
    // never interleave on one pair, or a report would be read half old, half new.
    mutable std::mutex m_lock;
    BlockPair m_blocks[kPanelCount]{};
};
