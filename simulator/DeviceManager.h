// ITqDeviceManager: hands out the panels' device and event interfaces. Every
// GetInterface call makes a new object with one reference.
#pragma once

#include <mutex>
#include <vector>

#include "contract/TqDvManager.h"
#include "simulator/ObjectLife.h"

class PanelEvents;

class DeviceManager : public ITqDeviceManager {
public:
    DeviceManager();

    TqStatus GetInterface(const GUID* iid, void** ppInterface) override;
    TqStatus Reserved2() override;  // AddRef
    TqStatus Release() override;

private:
    ObjectLife m_life;
    std::mutex m_mu;
    std::vector<PanelEvents*> m_events;  // obtained through this manager
};
