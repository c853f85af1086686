// What every panel's device interface shares: reference counting and the
// firmware download. The library, not the program, opens the image file.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "contract/TqDvManager.h"
#include "simulator/ObjectLife.h"
#include "simulator/ReadWholeFile.h"
#include "simulator/SimHost.h"
#include "simulator/model/SimStatus.h"

template <class Interface>
class DeviceObject : public Interface {
public:
    explicit DeviceObject(int panel) : m_panel(panel), m_life("device interface") {}

    TqStatus Reserved1() override {
        if (!m_life.Alive(this, "slot 1")) return simstatus::kReleased;
        return simstatus::kNotSupported;
    }
    TqStatus Reserved2() override { return m_life.AddRef(this); }
    TqStatus Release() override {
        bool last = false;
        const std::int32_t n = m_life.Release(this, last);
        if (last) SimHost::Get().DropObject();
        return n;
    }
    TqStatus DownloadProgram(wchar_t* path, std::int32_t one) override {
        if (!m_life.Alive(this, "DownloadProgram")) return simstatus::kReleased;
        if (!path || one != 1) return simstatus::kBadArgument;
        std::vector<std::uint8_t> file;
        const bool read = ReadWholeFile(path, file);
        return Sim().StartDownload(m_panel, read ? &file : nullptr);
    }
    TqStatus FinishDownload() override {
        if (!m_life.Alive(this, "FinishDownload")) return simstatus::kReleased;
        return Sim().FinishDownload(m_panel);
    }

protected:
    ~DeviceObject() = default;
    PanelSimulator& Sim() { return SimHost::Get().Simulator(); }
    bool Alive(const char* operation) const { return m_life.Alive(this, operation); }
    TqStatus Placeholder(const char* slot) {
        if (!m_life.Alive(this, slot)) return simstatus::kReleased;
        return simstatus::kNotSupported;
    }
    TqStatus CommonSetMode(std::int32_t mode) {
        if (!Alive("SetMode")) return simstatus::kReleased;
        return Sim().SetMode(m_panel, mode);
    }
    TqStatus CommonGetDeviceStatus(PanelDeviceStatus* status) {
        if (!Alive("GetDeviceStatus")) return simstatus::kReleased;
        return Sim().GetDeviceStatus(m_panel, status);
    }

    const int m_panel;

private:
    ObjectLife m_life;
};
