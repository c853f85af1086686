// What the firmware download needs of the panel its window holds.
#pragma once

#include "contract/PanelBlocks.h"
#include "contract/TqDvManager.h"

class IDownloadTarget {
public:
    // Null while the window holds no device interface.
    virtual ITqPanelDevice* DownloadDevice() const = 0;
    // The panel's own GetDeviceStatus slot; negative without a device.
    virtual TqStatus QueryDeviceStatus(PanelDeviceStatus* status) = 0;

protected:
    ~IDownloadTarget() = default;
};
