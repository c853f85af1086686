// Wraps a device manager: every interface it hands out reaches the program as
// a wrapper with the same slot layout (see RecorderSession.h for identity).
#pragma once

#include "recorder/ProxyLife.h"

class ManagerProxy final : public ITqDeviceManager, public ProxyLife {
public:
    // The wrapper of a manager the real library created (the same one again if
    // it is already wrapped), or null for null; name gets its name or "null".
    static ITqDeviceManager* Wrap(RecorderSession& session, ITqDeviceManager* real, std::string& name);

    TqStatus GetInterface(const GUID* iid, void** ppInterface) override;
    TqStatus Reserved2() override;
    TqStatus Release() override;

private:
    ManagerProxy(RecorderSession& session, ITqDeviceManager* real);
    ~ManagerProxy() = default;

    // The wrapper to hand out for an object of that identifier; the object
    // itself for an identifier of no panel (its layout is unknown here).
    void* WrapInterface(const GUID& iid, void* object, std::string& name);

    ITqDeviceManager* const m_real;
};
