#include "simulator/model/PanelModel.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "simulator/model/DownloadResult.h"
#include "simulator/model/SimStatus.h"

namespace {
bool SameName(const std::string& a, const char* b) {
    if (a.size() != std::strlen(b)) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}
}  // namespace

PanelModel::PanelModel(int panel, const VersionSet& versions) : m_panel(panel), m_versions(versions) {}

std::int32_t PanelModel::SetMode(std::int32_t mode, std::int64_t now) {
    if (mode != 0 && mode != 1) return simstatus::kBadArgument;
    if (!m_connected) return simstatus::kNotConnected;
    m_mode = mode;
    m_pendingUntil = now + kPendingMs;
    return simstatus::kOk;
}

std::int32_t PanelModel::GetDeviceStatus(PanelDeviceStatus& status, std::int64_t now) const {
    std::memset(status.bytes, 0, sizeof status.bytes);
    if (!m_connected) return simstatus::kNotConnected;
    WriteLe32(status.bytes, 0, 1);  // connected
    WriteLe32(status.bytes, 4, m_mode);
    WriteLe32(status.bytes, 8, std::int32_t(m_transfer.GetState()));
    WriteLe32(status.bytes, kStatusPendingOffset, now < m_pendingUntil ? 1 : 0);
    WriteLe32(status.bytes, kStatusDownloadResultOffset, m_transfer.Result());
    WriteLe32(status.bytes, kStatusDownloadTotalOffset, m_transfer.Total());
    WriteLe32(status.bytes, kStatusDownloadPositionOffset, m_transfer.Position(now));
    return simstatus::kOk;
}

std::int32_t PanelModel::StartDownload(const RomCheck& check, bool fileMissing, std::int64_t now) {
    if (!m_connected) return simstatus::kNotConnected;
    if (m_transfer.Running()) return simstatus::kBusy;
    m_transfer.Start(check, fileMissing, now);
    return simstatus::kOk;
}

std::int32_t PanelModel::FinishDownload() {
    if (m_transfer.Running()) return simstatus::kBusy;
    m_transfer.Finish();
    return simstatus::kOk;
}

void PanelModel::GetVersionInfo(PanelVersionInfo& info) const {
    std::memset(info.bytes, 0, sizeof info.bytes);
    m_versions.Fill(info);
}

int PanelModel::FindName(const char* const* names, int count, const std::string& name) {
    for (int i = 0; i < count; ++i)
        if (SameName(name, names[i])) return i;
    return -1;
}

int PanelModel::FindKey(const std::string& name) const {
    for (int k = 0; k < KeyCount(); ++k)
        if (SameName(name, KeyName(k))) return k;
    return -1;
}

std::string PanelModel::NotConnectedReason() const {
    return m_replugAt ? "panel is power-cycling" : "panel is unplugged";
}

std::string PanelModel::SetKey(int key, bool down, Events& out) {
    if (key < 0 || key >= KeyCount()) return "no such key";
    if (!m_connected) return NotConnectedReason();
    if (KeyDown(key) == down) return {};  // nothing moved, nothing to report
    if (!down && ((m_stuckKeys >> key) & 1u)) return {};
    if (down && ((m_chatterKeys >> key) & 1u)) {
        // The bounce: down and up, then down for good, within one burst of reports.
        m_chatterKeys &= ~(1u << key);
        SetKey(key, true, out);
        SetKey(key, false, out);
        m_chatterKeys |= 1u << key;
    }
    if (down)
        m_keys |= 1u << key;
    else
        m_keys &= ~(1u << key);
    int changeByte = 0, statusByte = 0, bit = 0;
    KeyPlace(key, changeByte, statusByte, bit);
    PanelChanges changes{};
    changes.bytes[changeByte] = std::uint8_t(1u << bit);
    EmitWithCurrent(changes, out);
    return {};
}

void PanelModel::Emit(const PanelChanges& changes, const PanelStatus& status, Events& out) const {
    SimEvent e;
    e.kind = SimEvent::kReport;
    e.panel = m_panel;
    e.changes = changes;
    e.status = status;
    out.push_back(e);
}

void PanelModel::EmitWithCurrent(const PanelChanges& changes, Events& out) const {
    PanelStatus status{};
    FillStatus(status);
    Emit(changes, status, out);
}

void PanelModel::Unplugged(std::int64_t now, Events& out) {
    if (m_transfer.Running()) {
        m_transfer.Abort(download::kUnplugged, now);
        SimEvent p;
        p.kind = SimEvent::kProgress;
        p.panel = m_panel;
        p.first = m_panel;
        p.value = m_transfer.Result();
        out.push_back(p);
    }
    m_connected = false;
    SimEvent c;
    c.kind = SimEvent::kConnection;
    c.panel = m_panel;
    c.state = 0;
    out.push_back(c);
}

void PanelModel::PowerOn(Events& out) {
    m_replugAt.reset();
    m_connected = true;
    m_keys = 0;
    m_mode = 0;
    m_pendingUntil = 0;
    if (m_staged) {
        m_versions.firmwareMajor = m_staged->firmwareMajor;
        m_versions.firmwareBuild = m_staged->firmwareBuild;
        m_staged.reset();
    }
    if (m_transfer.GetState() == FirmwareTransfer::kEnded) m_transfer.Finish();
    ResetInputs();
    SimEvent c;
    c.kind = SimEvent::kConnection;
    c.panel = m_panel;
    c.state = 1;
    out.push_back(c);
}

std::string PanelModel::Plug(bool on, std::int64_t now, Events& out) {
    if (on) {
        if (m_connected) return "panel is already plugged in";
        PowerOn(out);
    } else {
        if (!m_connected && !m_replugAt) return "panel is already unplugged";
        m_replugAt.reset();  // an unplug during a power cycle keeps it off
        if (m_connected) Unplugged(now, out);
    }
    return {};
}

std::string PanelModel::PowerCycle(std::int64_t now, Events& out) {
    if (!m_connected) return NotConnectedReason();
    Unplugged(now, out);
    m_replugAt = now + kPowerCycleMs;
    return {};
}

void PanelModel::Tick(std::int64_t now, Events& out) {
    if (m_transfer.Running() && m_unplugInDownload && m_transfer.Total() > 0 &&
        m_transfer.Position(now) >= m_transfer.Total() / 2) {
        m_unplugInDownload = false;
        Unplugged(now, out);
    }
    if (m_transfer.Advance(now)) {
        if (m_transfer.Result() == download::kOk) m_staged = m_transfer.Header();
        SimEvent p;
        p.kind = SimEvent::kProgress;
        p.panel = m_panel;
        p.first = m_panel;
        p.value = m_transfer.Result();
        out.push_back(p);
    }
    if (m_replugAt && now >= *m_replugAt) PowerOn(out);
}

std::string PanelModel::Describe() const {
    char buf[200];
    std::snprintf(buf, sizeof buf, "%s %s fw %d.%03x drv %d.%d.%d download %s result %d",
                  m_connected ? "connected" : (m_replugAt ? "power-cycling" : "unplugged"),
                  m_mode == 0 ? "normal" : "test", m_versions.firmwareMajor, m_versions.firmwareBuild,
                  m_versions.driverMajor, m_versions.driverMinor, m_versions.driverBuild,
                  m_transfer.Running() ? "running" : "idle", m_transfer.Result());
    return buf;
}

std::uint32_t PanelModel::LitLamps() const {
    std::uint32_t lit = CommandedLamps();
    if (lit & m_shortedLamps) lit |= m_shortedLamps;
    return lit & ~m_deadLamps;
}

std::string PanelModel::LampsField() const {
    const std::uint32_t lit = LitLamps();
    std::string names;
    for (int lamp = 0; lamp < LampCount(); ++lamp)
        if ((lit >> lamp) & 1u) names += (names.empty() ? "" : ",") + std::string(LampName(lamp));
    return " lamps " + (names.empty() ? std::string("none") : names);
}

std::int32_t PanelModel::SwitchLed(std::uint8_t& leds, int ledCount, std::size_t changeByte, std::int32_t led,
                                   std::uint8_t state, Events& out) const {
    if (led < 0 || led >= ledCount || state > 1) return simstatus::kBadArgument;
    if (!Connected()) return simstatus::kNotConnected;
    const auto mask = std::uint8_t(1u << led);
    const auto next = std::uint8_t(state ? (leds | mask) : (leds & ~mask));
    if (next != leds) {
        leds = next;
        PanelChanges changes{};
        changes.bytes[changeByte] = mask;
        EmitWithCurrent(changes, out);
    }
    return simstatus::kOk;
}
