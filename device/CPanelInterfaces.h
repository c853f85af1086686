// One panel's device interface and event interface as a window holds them: the
// event interface is registered with the window's sink for as long as it is
// held, and each interface goes back exactly once, the event interface always
// unregistered first.
#pragma once

#include "contract/TqDvManager.h"
#include "device/TqPtr.h"

class CPanelInterfaces {
public:
    enum class Acquired {
        Both,
        NoEvents,  // the panel is reachable but says nothing: the window gets no messages
        NoDevice,  // nothing was obtained; the caller tells the user
    };
    // Which of the two goes back first when both are held.
    enum class ReleaseOrder { DeviceFirst, EventsFirst };

    CPanelInterfaces() = default;
    CPanelInterfaces(const CPanelInterfaces&) = delete;
    CPanelInterfaces& operator=(const CPanelInterfaces&) = delete;
    ~CPanelInterfaces() { Release(ReleaseOrder::DeviceFirst); }

    // Gets the panel's device interface, then its event interface, and registers
    // sink with the latter. Whatever was held before is released first.
    Acquired Acquire(ITqDeviceManager& manager, int panel, ITqEventSink& sink);

    void Release(ReleaseOrder order);
    void ReleaseDevice() { m_device.Reset(); }
    void ReleaseEvents();

    ITqPanelDevice* Device() const { return m_device.Get(); }
    ITqPanelEvents* Events() const { return m_events.Get(); }

private:
    TqPtr<ITqPanelDevice> m_device;
    TqPtr<ITqPanelEvents> m_events;
};
