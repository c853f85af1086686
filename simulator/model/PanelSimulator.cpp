#include "simulator/model/PanelSimulator.h"

#include <algorithm>
#include <chrono>
#include <type_traits>

#include "simulator/model/SimStatus.h"

namespace {
bool ValidPanel(int panel) { return panel >= 0 && panel < kPanelCount; }
}  // namespace

PanelSimulator::PanelSimulator(const SimClock& clock)
    : m_clock(clock),
      m_jog(std::make_unique<JogShuttleModel>()),
      m_audio(std::make_unique<AudioModel>()),
      m_trackball(std::make_unique<TrackballModel>()),
      m_mediaBar(std::make_unique<MediaBarModel>()) {}

PanelModel& PanelSimulator::Model(int panel) {
    switch (panel) {
    case kPanelJogShuttle:
        return *m_jog;
    case kPanelAudio:
        return *m_audio;
    case kPanelTrackball:
        return *m_trackball;
    default:
        return *m_mediaBar;
    }
}

void PanelSimulator::Publish(std::vector<SimEvent>& events) {
    if (events.empty()) return;
    for (auto& e : events) m_queue.push_back(e);
    events.clear();
    m_cv.notify_all();
}

// Every change of the panels goes through here: under the lock, so the events
// reach the queue in the order the panels made them, whichever thread asked.
template <typename Change>
auto PanelSimulator::ApplyLocked(Change&& change) {
    std::lock_guard<std::mutex> lock(m_mu);
    std::vector<SimEvent> events;
    if constexpr (std::is_void_v<decltype(change(events))>) {
        change(events);
        Publish(events);
    } else {
        auto result = change(events);
        Publish(events);
        return result;
    }
}

bool PanelSimulator::Connected(int panel) {
    std::lock_guard<std::mutex> lock(m_mu);
    return ValidPanel(panel) && Model(panel).Connected();
}

bool PanelSimulator::InterfaceFails(int panel, bool deviceInterface) {
    std::lock_guard<std::mutex> lock(m_mu);
    return ValidPanel(panel) && m_faults[panel][deviceInterface ? kFailDeviceInterface : kFailEventInterface];
}

std::int32_t PanelSimulator::GetVersionInfo(int panel, PanelVersionInfo* info) {
    if (!ValidPanel(panel) || !info) return simstatus::kBadArgument;
    std::lock_guard<std::mutex> lock(m_mu);
    if (m_faults[panel][kFailVersionInfo]) return simstatus::kInjectedFault;
    if (!Model(panel).Connected()) return simstatus::kNotConnected;
    Model(panel).GetVersionInfo(*info);
    return simstatus::kOk;
}

std::int32_t PanelSimulator::SetMode(int panel, std::int32_t mode) {
    if (!ValidPanel(panel)) return simstatus::kBadArgument;
    std::lock_guard<std::mutex> lock(m_mu);
    return Model(panel).SetMode(mode, m_clock.NowMs());
}

std::int32_t PanelSimulator::GetDeviceStatus(int panel, PanelDeviceStatus* status) {
    if (!ValidPanel(panel) || !status) return simstatus::kBadArgument;
    return ApplyLocked([&](std::vector<SimEvent>& events) {
        const std::int64_t now = m_clock.NowMs();
        // A caller polling in a loop without pumping must still see time pass.
        Model(panel).Tick(now, events);
        return Model(panel).GetDeviceStatus(*status, now);
    });
}

std::int32_t PanelSimulator::StartDownload(int panel, const std::vector<std::uint8_t>* file) {
    if (!ValidPanel(panel)) return simstatus::kBadArgument;
    RomCheck check;
    if (file) check = RomImage::Check(*file, panel);
    std::lock_guard<std::mutex> lock(m_mu);
    const std::int32_t status = Model(panel).StartDownload(check, file == nullptr, m_clock.NowMs());
    NudgeLocked();
    return status;
}

std::int32_t PanelSimulator::FinishDownload(int panel) {
    if (!ValidPanel(panel)) return simstatus::kBadArgument;
    std::lock_guard<std::mutex> lock(m_mu);
    return Model(panel).FinishDownload();
}

std::int32_t PanelSimulator::SetDialMode(const std::uint8_t* block) {
    return ApplyLocked([&](std::vector<SimEvent>& events) { return m_jog->SetDialMode(block, events); });
}

std::int32_t PanelSimulator::SetLed(int panel, std::int32_t led, std::uint8_t state) {
    return ApplyLocked([&](std::vector<SimEvent>& events) -> std::int32_t {
        switch (panel) {
        case kPanelAudio:
            return m_audio->SetLed(led, state);
        case kPanelTrackball:
            return m_trackball->SetLed(led, state, events);
        case kPanelMediaBar:
            return m_mediaBar->SetLed(led, state, events);
        default:
            return simstatus::kBadArgument;
        }
    });
}

std::int32_t PanelSimulator::SetFader(std::int32_t fader, std::int32_t held, std::uint8_t pos) {
    return ApplyLocked([&](std::vector<SimEvent>& events) {
        const std::int32_t status = m_audio->SetFader(fader, held, pos, m_clock.NowMs(), events);
        // A motor that starts needs the delivery thread ticking, not asleep.
        if (m_audio->HasTimedWork()) NudgeLocked();
        return status;
    });
}

std::int32_t PanelSimulator::GetState(PanelStatus* state) {
    if (!state) return simstatus::kBadArgument;
    return ApplyLocked([&](std::vector<SimEvent>& events) {
        // Where a moving fader stands now, even to a caller that polls without pumping.
        m_audio->Tick(m_clock.NowMs(), events);
        return m_audio->GetState(*state);
    });
}

std::string PanelSimulator::Key(int panel, const std::string& name, bool down) {
    if (!ValidPanel(panel)) return "no such panel";
    return ApplyLocked([&](std::vector<SimEvent>& events) -> std::string {
        PanelModel& m = Model(panel);
        const int key = m.FindKey(name);
        if (key < 0) return "no key '" + name + "' on this panel";
        std::string err = m.SetKey(key, down, events);
        // A key pressed by hand takes over from a tap still waiting to let go.
        m_releases.erase(std::remove_if(m_releases.begin(), m_releases.end(),
                                        [&](const Release& r) { return r.panel == panel && r.key == key; }),
                         m_releases.end());
        return err;
    });
}

std::string PanelSimulator::Tap(int panel, const std::string& name) {
    if (!ValidPanel(panel)) return "no such panel";
    return ApplyLocked([&](std::vector<SimEvent>& events) -> std::string {
        PanelModel& m = Model(panel);
        const int key = m.FindKey(name);
        if (key < 0) return "no key '" + name + "' on this panel";
        if (m.KeyDown(key)) return "key is already down";
        std::string err = m.SetKey(key, true, events);
        if (err.empty()) m_releases.push_back({panel, key, m_clock.NowMs() + kTapMs});
        return err;
    });
}

std::string PanelSimulator::TurnJog(int steps) {
    return ApplyLocked([&](std::vector<SimEvent>& events) { return m_jog->TurnDial(steps, events); });
}

std::string PanelSimulator::TurnKnob(int knob, int delta) {
    return ApplyLocked([&](std::vector<SimEvent>& events) { return m_mediaBar->TurnKnob(knob, delta, events); });
}

std::string PanelSimulator::MoveBall(int dx, int dy) {
    return ApplyLocked([&](std::vector<SimEvent>& events) { return m_trackball->MoveBall(dx, dy, events); });
}

std::string PanelSimulator::TurnRing(int delta) {
    return ApplyLocked([&](std::vector<SimEvent>& events) { return m_trackball->TurnRing(delta, events); });
}

std::string PanelSimulator::MoveFader(int fader, int pos) {
    return ApplyLocked([&](std::vector<SimEvent>& events) { return m_audio->MoveFader(fader, pos, events); });
}

std::string PanelSimulator::Plug(int panel, bool on) {
    if (!ValidPanel(panel)) return "no such panel";
    return ApplyLocked([&](std::vector<SimEvent>& events) { return Model(panel).Plug(on, m_clock.NowMs(), events); });
}

std::string PanelSimulator::PowerCycle(int panel) {
    if (!ValidPanel(panel)) return "no such panel";
    return ApplyLocked([&](std::vector<SimEvent>& events) { return Model(panel).PowerCycle(m_clock.NowMs(), events); });
}

std::string PanelSimulator::SetFirmwareVersion(int panel, int major, int build) {
    if (!ValidPanel(panel)) return "no such panel";
    if (major < 0 || major > 255) return "firmware major must be 0..255";
    if (build < 0 || build > 0xFFF) return "firmware build must be 0..fff (hexadecimal)";
    std::lock_guard<std::mutex> lock(m_mu);
    Model(panel).Versions().firmwareMajor = major;
    Model(panel).Versions().firmwareBuild = build;
    return {};
}

std::string PanelSimulator::SetDriverVersion(int panel, int major, int minor, int build) {
    if (!ValidPanel(panel)) return "no such panel";
    if (major < 0 || major > 255) return "driver major must be 0..255";
    if (minor < 0 || minor > 65535) return "driver minor must be 0..65535";
    if (build < 0 || build > 255) return "driver build must be 0..255";
    std::lock_guard<std::mutex> lock(m_mu);
    VersionSet& v = Model(panel).Versions();
    v.driverMajor = major;
    v.driverMinor = minor;
    v.driverBuild = build;
    return {};
}

std::string PanelSimulator::SetFault(int panel, Fault fault, bool on) {
    if (!ValidPanel(panel)) return "no such panel";
    if (fault < 0 || fault >= kFaultCount) return "no such fault";
    std::lock_guard<std::mutex> lock(m_mu);
    m_faults[panel][fault] = on;
    if (fault == kUnplugInDownload) Model(panel).ArmUnplugInDownload(on);
    return {};
}

std::string PanelSimulator::SetKeyFault(int panel, const std::string& name, bool stuck, bool on) {
    if (!ValidPanel(panel)) return "no such panel";
    std::lock_guard<std::mutex> lock(m_mu);
    PanelModel& m = Model(panel);
    const int key = m.FindKey(name);
    if (key < 0) return "no such key";
    if (stuck)
        m.SetStuckKey(key, on);
    else
        m.SetChatterKey(key, on);
    return {};
}

std::string PanelSimulator::SetDeadZone(int fader, int from, int to) {
    if (fader < 0 || fader >= AudioModel::kFaderCount) return "no such fader";
    std::lock_guard<std::mutex> lock(m_mu);
    m_audio->SetDeadZone(fader, from, to);
    return {};
}

std::string PanelSimulator::SetNoisy(int panel, int control, bool on) {
    if (panel == kPanelAudio) {
        if (control < 0 || control >= AudioModel::kFaderCount) return "no such fader";
    } else if (panel == kPanelMediaBar) {
        if (control < 0 || control >= MediaBarModel::kKnobCount) return "no such knob";
    } else {
        return "only the Audio faders and the Media Bar knobs can be noisy";
    }
    std::lock_guard<std::mutex> lock(m_mu);
    m_noise.erase(std::remove_if(m_noise.begin(), m_noise.end(),
                                 [&](const Noise& n) { return n.panel == panel && n.control == control; }),
                  m_noise.end());
    if (on) m_noise.push_back({panel, control, m_clock.NowMs() + kNoiseMs, 0});
    return {};
}

std::string PanelSimulator::SetMotorFault(int fader, AudioModel::MotorFault fault) {
    if (fader < 0 || fader >= AudioModel::kFaderCount) return "no such fader";
    if (fault < 0 || fault >= AudioModel::kMotorFaultCount) return "no such motor fault";
    std::lock_guard<std::mutex> lock(m_mu);
    m_audio->SetMotorFault(fader, fault);
    return {};
}

std::string PanelSimulator::SetDeadLamp(int panel, int lamp, bool on) {
    if (!ValidPanel(panel)) return "no such panel";
    std::lock_guard<std::mutex> lock(m_mu);
    if (lamp < 0 || lamp >= Model(panel).LampCount()) return "no such lamp";
    Model(panel).SetDeadLamp(lamp, on);
    return {};
}

std::string PanelSimulator::SetShortedLamps(int panel, int a, int b, bool on) {
    if (!ValidPanel(panel)) return "no such panel";
    std::lock_guard<std::mutex> lock(m_mu);
    const int count = Model(panel).LampCount();
    if (a < 0 || a >= count || b < 0 || b >= count || a == b) return "no such pair of lamps";
    Model(panel).SetShortedLamps(a, b, on);
    return {};
}

std::string PanelSimulator::Storm(int panel, int perSecond, int seconds) {
    if (!ValidPanel(panel)) return "no such panel";
    if (perSecond < 1 || perSecond > kMaxStormRate) return "rate must be 1.." + std::to_string(kMaxStormRate);
    if (seconds < 1 || seconds > kMaxStormSeconds) return "duration must be 1.." + std::to_string(kMaxStormSeconds);
    std::lock_guard<std::mutex> lock(m_mu);
    if (!Model(panel).Connected()) return "panel is not connected";
    StormRun s;
    s.panel = panel;
    s.start = m_clock.NowMs();
    s.intervalMs = 1000.0 / perSecond;
    s.total = std::int64_t(perSecond) * seconds;
    m_storms.push_back(s);
    NudgeLocked();
    return {};
}

std::string PanelSimulator::UnknownIid(int panel) {
    if (panel != -1 && !ValidPanel(panel)) return "no such panel";
    SimEvent e;
    e.kind = SimEvent::kUnknownIid;
    e.panel = panel;
    ApplyLocked([&](std::vector<SimEvent>& events) { events.push_back(e); });
    return {};
}

std::string PanelSimulator::ReportConnectionState(int panel, std::int32_t state) {
    if (!ValidPanel(panel)) return "no such panel";
    SimEvent e;
    e.kind = SimEvent::kConnection;
    e.panel = panel;
    e.state = state;
    ApplyLocked([&](std::vector<SimEvent>& events) { events.push_back(e); });
    return {};
}

std::string PanelSimulator::RawReport(int panel, const PanelChanges& changes, const PanelStatus& status) {
    if (!ValidPanel(panel)) return "no such panel";
    SimEvent e;
    e.kind = SimEvent::kReport;
    e.panel = panel;
    e.changes = changes;
    e.status = status;
    ApplyLocked([&](std::vector<SimEvent>& events) { events.push_back(e); });
    return {};
}

std::string PanelSimulator::Describe(int panel) {
    if (!ValidPanel(panel)) return "no such panel";
    std::lock_guard<std::mutex> lock(m_mu);
    return Model(panel).Describe() + " reports " + std::to_string(m_delivered[panel].load()) + " last-report " +
           std::to_string(m_lastDelivered[panel].load());
}

void PanelSimulator::NoteDelivered(int panel, std::int64_t stamp) {
    if (!ValidPanel(panel)) return;
    m_delivered[panel].fetch_add(1);
    m_lastDelivered[panel].store(stamp);
}

void PanelSimulator::ResetLocked(std::vector<SimEvent>& events) {
    bool wasConnected[kPanelCount];
    for (int p = 0; p < kPanelCount; ++p) {
        PanelModel& m = Model(p);
        wasConnected[p] = m.Connected();
        // A download cannot just vanish: whoever waits for its end hears of it.
        if (m.Transfer().Running()) {
            m.Plug(false, m_clock.NowMs(), events);
            wasConnected[p] = false;
        }
        for (bool& f : m_faults[p]) f = false;
    }
    m_jog = std::make_unique<JogShuttleModel>();
    m_audio = std::make_unique<AudioModel>();
    m_trackball = std::make_unique<TrackballModel>();
    m_mediaBar = std::make_unique<MediaBarModel>();
    for (int p = 0; p < kPanelCount; ++p) {
        if (!wasConnected[p]) {
            SimEvent c;
            c.kind = SimEvent::kConnection;
            c.panel = p;
            c.state = 1;
            events.push_back(c);
        }
    }
    m_storms.clear();
    m_releases.clear();
    m_noise.clear();
}

void PanelSimulator::Reset() {
    ApplyLocked([&](std::vector<SimEvent>& events) { ResetLocked(events); });
}

void PanelSimulator::StormReport(int panel, std::int64_t index, std::vector<SimEvent>& out) {
    // Inputs that always make a report and leave the panel as it was after an
    // even number of them.
    const int sign = (index % 2 == 0) ? 1 : -1;
    switch (panel) {
    case kPanelJogShuttle:
        m_jog->SetKey(0, index % 2 == 0, out);
        break;
    case kPanelAudio:
        m_audio->SetKey(0, index % 2 == 0, out);
        break;
    case kPanelTrackball:
        m_trackball->MoveBall(sign, -sign, out);
        break;
    default:
        m_mediaBar->TurnKnob(0, sign, out);
        break;
    }
}

void PanelSimulator::Tick() {
    ApplyLocked([&](std::vector<SimEvent>& events) {
        const std::int64_t now = m_clock.NowMs();
        for (auto it = m_releases.begin(); it != m_releases.end();) {
            if (now >= it->at) {
                Model(it->panel).SetKey(it->key, false, events);
                it = m_releases.erase(it);
            } else {
                ++it;
            }
        }
        for (auto it = m_storms.begin(); it != m_storms.end();) {
            const std::int64_t due =
                std::min<std::int64_t>(it->total, std::int64_t(double(now - it->start) / it->intervalMs) + 1);
            while (it->done < due && Model(it->panel).Connected()) StormReport(it->panel, it->done++, events);
            if (it->done >= it->total || !Model(it->panel).Connected()) {
                if (it->done % 2 == 1 && Model(it->panel).Connected()) StormReport(it->panel, it->done, events);
                it = m_storms.erase(it);
            } else {
                ++it;
            }
        }
        for (Noise& n : m_noise) {
            if (now < n.next) continue;
            // One wander per tick however late it comes: noise, not a backlog.
            n.next = now + kNoiseMs;
            const int delta = n.back != 0 ? n.back : 1;
            int moved = delta;
            if (n.panel == kPanelAudio)
                moved = m_audio->Jitter(n.control, delta, events);
            else if (!m_mediaBar->TurnKnob(n.control, delta, events).empty())
                moved = 0;
            n.back = n.back != 0 ? 0 : -moved;
        }
        for (int p = 0; p < kPanelCount; ++p) Model(p).Tick(now, events);
    });
}

std::vector<SimEvent> PanelSimulator::TakeEvents() {
    std::lock_guard<std::mutex> lock(m_mu);
    std::vector<SimEvent> out(m_queue.begin(), m_queue.end());
    m_queue.clear();
    return out;
}

bool PanelSimulator::WaitForEvents(int maxMs) {
    std::unique_lock<std::mutex> lock(m_mu);
    m_cv.wait_for(lock, std::chrono::milliseconds(maxMs), [&] { return !m_queue.empty() || m_woken; });
    m_woken = false;
    return !m_queue.empty();
}

void PanelSimulator::NudgeLocked() {
    m_woken = true;
    m_cv.notify_all();
}

bool PanelSimulator::TimedWorkPending() {
    std::lock_guard<std::mutex> lock(m_mu);
    if (!m_storms.empty() || !m_releases.empty()) return true;
    for (int p = 0; p < kPanelCount; ++p)
        if (Model(p).HasTimedWork()) return true;
    return false;
}

void PanelSimulator::Wake() {
    std::lock_guard<std::mutex> lock(m_mu);
    m_woken = true;
    m_cv.notify_all();
}
