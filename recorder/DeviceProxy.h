// The slots every device interface shares, wrapped once for all four layouts.
// Final is the concrete wrapper (it is the one deleted when the real object goes).
#pragma once

#include "recorder/ProxyLife.h"

template <class Interface, class Final>
class DeviceProxy : public Interface, public ProxyLife {
public:
    DeviceProxy(RecorderSession& session, Interface* real, int kind)
        : ProxyLife(session, 'D', real, kind), m_real(real) {}

    TqStatus Reserved1() override {
        return Forward("slot1", "", [&] { return m_real->Reserved1(); });
    }
    TqStatus Reserved2() override {
        return Forward("slot2", "", [&] { return m_real->Reserved2(); });
    }
    TqStatus Release() override {
        TqStatus status = 0;
        if (ForwardRelease([&] { return m_real->Release(); }, status)) delete static_cast<Final*>(this);
        return status;
    }
    TqStatus DownloadProgram(wchar_t* path, std::int32_t one) override {
        return Forward("DownloadProgram", RecorderSession::PathText(path) + " " + std::to_string(one),
                       [&] { return m_real->DownloadProgram(path, one); });
    }
    TqStatus FinishDownload() override {
        return Forward("FinishDownload", "", [&] { return m_real->FinishDownload(); });
    }
    TqStatus SetMode(std::int32_t mode) override {
        return Forward("SetMode", std::to_string(mode), [&] { return m_real->SetMode(mode); });
    }
    TqStatus GetDeviceStatus(PanelDeviceStatus* status) override {
        return Forward(
            "GetDeviceStatus", status ? "" : "null", [&] { return m_real->GetDeviceStatus(status); },
            [&](TqStatus r) { return r >= 0 ? RecorderSession::BlockText(status, sizeof *status) : std::string(); });
    }

protected:
    ~DeviceProxy() = default;

    Interface* const m_real;
};
