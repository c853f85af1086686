#include "device/CPanelInterfaces.h"

#include "contract/PanelIids.h"

namespace {
// A success status with no object is no interface either.
template <class Interface>
TqPtr<Interface> Obtain(ITqDeviceManager& manager, const GUID* iid) {
    void* object = nullptr;
    if (manager.GetInterface(iid, &object) < 0) return {};
    return TqPtr<Interface>(static_cast<Interface*>(object));
}
}  // namespace

CPanelInterfaces::Acquired CPanelInterfaces::Acquire(ITqDeviceManager& manager, int panel, ITqEventSink& sink) {
    Release(ReleaseOrder::DeviceFirst);
    if (panel < 0 || panel >= kPanelCount) return Acquired::NoDevice;
    m_device = Obtain<ITqPanelDevice>(manager, kDeviceIids[panel]);
    if (!m_device) return Acquired::NoDevice;
    m_events = Obtain<ITqPanelEvents>(manager, kEventIids[panel]);
    if (!m_events) return Acquired::NoEvents;
    m_events->Advise(&sink);
    return Acquired::Both;
}

void CPanelInterfaces::ReleaseEvents() {
    if (!m_events) return;
    // After Unadvise returns no callback reaches the sink any more, so the sink
    // may go with its window once the interface is released.
    m_events->Unadvise();
    m_events.Reset();
}

void CPanelInterfaces::Release(ReleaseOrder order) {
    if (order == ReleaseOrder::EventsFirst) ReleaseEvents();
    ReleaseDevice();
    ReleaseEvents();
}
