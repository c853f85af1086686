// What the firmware download needs of the panel its window holds.
#pragma once

#include "contract/PanelBlocks.h"
#include "contract/TqDvManager.h"

#include <cstdint>
#include <string>

class IDownloadTarget {
public:
    // Null while the window holds no device interface.
    virtual ITqPanelDevice* DownloadDevice() const = 0;
    // The panel's own GetDeviceStatus slot; negative without a device.
    virtual TqStatus QueryDeviceStatus(PanelDeviceStatus* status) = 0;
    // The panel took the file at path; for the service report's list.
    virtual void DownloadStarted(const std::wstring& /*path*/) {}
    // The end the library reported: the panel's result word, or -1 unread.
    virtual void DownloadEnded(std::int32_t /*result*/) {}

protected:
    ~IDownloadTarget() = default;
};
