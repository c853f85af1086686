#include "PanelModel.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "DownloadResult.h"
#include "SimStatus.h"

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

PanelModel::PanelModel(int panel, const VersionSet& versions) : panel_(panel), versions_(versions) {}

std::int32_t PanelModel::SetMode(std::int32_t mode, std::int64_t now) {
    if (mode != 0 && mode != 1) return simstatus::kBadArgument;
    if (!connected_) return simstatus::kNotConnected;
    mode_ = mode;
    pendingUntil_ = now + kPendingMs;
    return simstatus::kOk;
}

std::int32_t PanelModel::GetDeviceStatus(PanelDeviceStatus& status, std::int64_t now) const {
    std::memset(status.bytes, 0, sizeof status.bytes);
    if (!connected_) return simstatus::kNotConnected;
    WriteLe32(status.bytes, 0, 1);  // connected
    WriteLe32(status.bytes, 4, mode_);
    WriteLe32(status.bytes, 8, std::int32_t(transfer_.GetState()));
    WriteLe32(status.bytes, kStatusPendingOffset, now < pendingUntil_ ? 1 : 0);
    WriteLe32(status.bytes, kStatusDownloadResultOffset, transfer_.Result());
    WriteLe32(status.bytes, kStatusDownloadTotalOffset, transfer_.Total());
    WriteLe32(status.bytes, kStatusDownloadPositionOffset, transfer_.Position(now));
    return simstatus::kOk;
}

std::int32_t PanelModel::StartDownload(const RomCheck& check, bool fileMissing, std::int64_t now) {
    if (!connected_) return simstatus::kNotConnected;
    if (transfer_.Running()) return simstatus::kBusy;
    transfer_.Start(check, fileMissing, now);
    return simstatus::kOk;
}

std::int32_t PanelModel::FinishDownload() {
    if (transfer_.Running()) return simstatus::kBusy;
    transfer_.Finish();
    return simstatus::kOk;
}

void PanelModel::GetVersionInfo(PanelVersionInfo& info) const {
    std::memset(info.bytes, 0, sizeof info.bytes);
    versions_.Fill(info);
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
    return replugAt_ ? "panel is power-cycling" : "panel is unplugged";
}

std::string PanelModel::SetKey(int key, bool down, Events& out) {
    if (key < 0 || key >= KeyCount()) return "no such key";
    if (!connected_) return NotConnectedReason();
    if (KeyDown(key) == down) return {};  // nothing moved, nothing to report
    if (down)
        keys_ |= 1u << key;
    else
        keys_ &= ~(1u << key);
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
    e.panel = panel_;
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
    if (transfer_.Running()) {
        transfer_.Abort(download::kUnplugged, now);
        SimEvent p;
        p.kind = SimEvent::kProgress;
        p.panel = panel_;
        p.first = panel_;
        p.value = transfer_.Result();
        out.push_back(p);
    }
    connected_ = false;
    SimEvent c;
    c.kind = SimEvent::kConnection;
    c.panel = panel_;
    c.state = 0;
    out.push_back(c);
}

void PanelModel::PowerOn(Events& out) {
    replugAt_.reset();
    connected_ = true;
    keys_ = 0;
    mode_ = 0;
    pendingUntil_ = 0;
    if (staged_) {
        versions_.firmwareMajor = staged_->firmwareMajor;
        versions_.firmwareBuild = staged_->firmwareBuild;
        staged_.reset();
    }
    if (transfer_.GetState() == FirmwareTransfer::kEnded) transfer_.Finish();
    ResetInputs();
    SimEvent c;
    c.kind = SimEvent::kConnection;
    c.panel = panel_;
    c.state = 1;
    out.push_back(c);
}

std::string PanelModel::Plug(bool on, std::int64_t now, Events& out) {
    if (on) {
        if (connected_) return "panel is already plugged in";
        PowerOn(out);
    } else {
        if (!connected_ && !replugAt_) return "panel is already unplugged";
        replugAt_.reset();  // an unplug during a power cycle keeps it off
        if (connected_) Unplugged(now, out);
    }
    return {};
}

std::string PanelModel::PowerCycle(std::int64_t now, Events& out) {
    if (!connected_) return NotConnectedReason();
    Unplugged(now, out);
    replugAt_ = now + kPowerCycleMs;
    return {};
}

void PanelModel::Tick(std::int64_t now, Events& out) {
    if (transfer_.Running() && unplugInDownload_ && transfer_.Total() > 0 &&
        transfer_.Position(now) >= transfer_.Total() / 2) {
        unplugInDownload_ = false;
        Unplugged(now, out);
    }
    if (transfer_.Advance(now)) {
        if (transfer_.Result() == download::kOk) staged_ = transfer_.Header();
        SimEvent p;
        p.kind = SimEvent::kProgress;
        p.panel = panel_;
        p.first = panel_;
        p.value = transfer_.Result();
        out.push_back(p);
    }
    if (replugAt_ && now >= *replugAt_) PowerOn(out);
}

std::string PanelModel::Describe() const {
    char buf[200];
    std::snprintf(buf, sizeof buf, "%s %s fw %d.%03x drv %d.%d.%d download %s result %d",
                  connected_ ? "connected" : (replugAt_ ? "power-cycling" : "unplugged"),
                  mode_ == 0 ? "normal" : "test", versions_.firmwareMajor, versions_.firmwareBuild,
                  versions_.driverMajor, versions_.driverMinor, versions_.driverBuild,
                  transfer_.Running() ? "running" : "idle", transfer_.Result());
    return buf;
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
