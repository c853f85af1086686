#include "recorder/ManagerProxy.h"

#include "contract/PanelIids.h"
#include "recorder/AudioDeviceProxy.h"
#include "recorder/EventsProxy.h"
#include "recorder/JogShuttleDeviceProxy.h"
#include "recorder/LedPanelDeviceProxy.h"

ManagerProxy::ManagerProxy(RecorderSession& session, ITqDeviceManager* real)
    : ProxyLife(session, 'M', real, RecorderSession::kManager), m_real(real) {}

ITqDeviceManager* ManagerProxy::Wrap(RecorderSession& session, ITqDeviceManager* real, std::string& name) {
    name = "null";
    if (!real) return nullptr;
    std::lock_guard<std::mutex> lock(session.TableMutex());
    const auto known = session.Find(real, RecorderSession::kManager);
    if (known.first) {
        name = known.second;
        return static_cast<ITqDeviceManager*>(known.first);
    }
    auto* proxy = new ManagerProxy(session, real);
    session.Remember(real, RecorderSession::kManager, static_cast<ITqDeviceManager*>(proxy), proxy->Name());
    name = proxy->Name();
    return proxy;
}

void* ManagerProxy::WrapInterface(const GUID& iid, void* object, std::string& name) {
    int panel = -1;
    bool device = false;
    for (int p = 0; p < kPanelCount && panel < 0; ++p) {
        if (SameIid(iid, *kDeviceIids[p])) panel = p, device = true;
        if (SameIid(iid, *kEventIids[p])) panel = p;
    }
    if (panel < 0) {
        name = "unwrapped";
        return object;
    }
    const int kind = 2 * panel + (device ? 0 : 1);
    std::lock_guard<std::mutex> lock(m_session.TableMutex());
    const auto known = m_session.Find(object, kind);
    if (known.first) {
        name = known.second;
        return known.first;
    }
    void* handed = nullptr;
    if (!device) {
        auto* p = new EventsProxy(m_session, static_cast<ITqPanelEvents*>(object), kind);
        handed = static_cast<ITqPanelEvents*>(p);
        name = p->Name();
    } else if (panel == kPanelJogShuttle) {
        auto* p = new JogShuttleDeviceProxy(m_session, static_cast<ITqJogShuttleDevice*>(object), kind);
        handed = static_cast<ITqJogShuttleDevice*>(p);
        name = p->Name();
    } else if (panel == kPanelAudio) {
        auto* p = new AudioDeviceProxy(m_session, static_cast<ITqAudioDevice*>(object), kind);
        handed = static_cast<ITqAudioDevice*>(p);
        name = p->Name();
    } else if (panel == kPanelTrackball) {
        auto* p = new LedPanelDeviceProxy<ITqTrackballDevice>(m_session, static_cast<ITqTrackballDevice*>(object), kind);
        handed = static_cast<ITqTrackballDevice*>(p);
        name = p->Name();
    } else {
        auto* p = new LedPanelDeviceProxy<ITqMediaBarDevice>(m_session, static_cast<ITqMediaBarDevice*>(object), kind);
        handed = static_cast<ITqMediaBarDevice*>(p);
        name = p->Name();
    }
    m_session.Remember(object, kind, handed, name);
    return handed;
}

TqStatus ManagerProxy::GetInterface(const GUID* iid, void** ppInterface) {
    std::string handed;
    return Forward(
        "GetInterface", RecorderSession::InterfaceText(iid),
        [&] {
            const TqStatus status = m_real->GetInterface(iid, ppInterface);
            // Only an object the program may keep is wrapped: after a failure it keeps nothing.
            if (status >= 0 && iid && ppInterface && *ppInterface)
                *ppInterface = WrapInterface(*iid, *ppInterface, handed);
            else
                handed = ppInterface && *ppInterface ? "unwrapped" : "null";
            return status;
        },
        [&](TqStatus) { return handed; });
}

TqStatus ManagerProxy::Reserved2() {
    return Forward("slot2", "", [&] { return m_real->Reserved2(); });
}

TqStatus ManagerProxy::Release() {
    TqStatus status = 0;
    if (ForwardRelease([&] { return m_real->Release(); }, status)) delete this;
    return status;
}
