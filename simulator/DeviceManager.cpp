#include "simulator/DeviceManager.h"

#include <cstdio>

#include "contract/PanelIids.h"
#include "simulator/AudioDevice.h"
#include "simulator/JogShuttleDevice.h"
#include "simulator/LedPanelDevice.h"
#include "simulator/PanelEvents.h"
#include "simulator/SimHost.h"

DeviceManager::DeviceManager() : m_life("device manager") {}

TqStatus DeviceManager::GetInterface(const GUID* iid, void** ppInterface) {
    if (!m_life.Alive(this, "GetInterface")) return simstatus::kReleased;
    if (!ppInterface) return simstatus::kBadArgument;
    *ppInterface = nullptr;
    if (!iid) return simstatus::kBadArgument;
    SimHost& host = SimHost::Get();
    for (int p = 0; p < kPanelCount; ++p) {
        const bool device = SameIid(*iid, *kDeviceIids[p]);
        if (!device && !SameIid(*iid, *kEventIids[p])) continue;
        if (host.Simulator().InterfaceFails(p, device)) return simstatus::kInjectedFault;
        host.AddObject();
        if (!device) {
            auto* events = new PanelEvents(p);
            {
                std::lock_guard<std::mutex> lock(m_mu);
                m_events.push_back(events);
            }
            *ppInterface = static_cast<ITqPanelEvents*>(events);
            return simstatus::kOk;
        }
        switch (p) {
        case kPanelJogShuttle:
            *ppInterface = static_cast<ITqJogShuttleDevice*>(new JogShuttleDevice);
            break;
        case kPanelAudio:
            *ppInterface = static_cast<ITqAudioDevice*>(new AudioDevice);
            break;
        case kPanelTrackball:
            *ppInterface = static_cast<ITqTrackballDevice*>(new TrackballDevice(kPanelTrackball));
            break;
        default:
            *ppInterface = static_cast<ITqMediaBarDevice*>(new MediaBarDevice(kPanelMediaBar));
            break;
        }
        return simstatus::kOk;
    }
    return simstatus::kUnknownInterface;
}

TqStatus DeviceManager::Reserved2() { return m_life.AddRef(this); }

TqStatus DeviceManager::Release() {
    bool last = false;
    const std::int32_t n = m_life.Release(this, last);
    if (!last) return n;
    // No callback may come through a manager that is gone, even if the program
    // forgot to unregister an event interface obtained from it.
    std::vector<PanelEvents*> events;
    {
        std::lock_guard<std::mutex> lock(m_mu);
        events.swap(m_events);
    }
    for (PanelEvents* e : events) {
        if (e->Orphan())
            std::fprintf(stderr, "TqDvManager: device manager released with an event interface still advised\n");
    }
    SimHost::Get().DropObject();
    return n;
}
