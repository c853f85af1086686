// The one set of four simulated panels a process has. Every entry point locks
// one mutex, so the program's calls (any thread), the control channel and the
// library's delivery thread all meet here safely. Events the panels produce
// are queued; the library's thread takes them out with TakeEvents and makes
// the callbacks without holding this lock.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "simulator/model/AudioModel.h"
#include "simulator/model/JogShuttleModel.h"
#include "simulator/model/MediaBarModel.h"
#include "simulator/model/SimClock.h"
#include "simulator/model/TrackballModel.h"

class PanelSimulator {
public:
    enum Fault { kFailDeviceInterface, kFailEventInterface, kFailVersionInfo, kUnplugInDownload, kFaultCount };

    static constexpr std::int64_t kTapMs = 120;
    static constexpr int kMaxStormRate = 5000;  // reports a second
    static constexpr int kMaxStormSeconds = 120;
    // How often a noisy control wanders. Not timed work: the delivery thread's
    // idle wake-up comes about this often anyway, and a fault left on for
    // minutes must not keep it ticking every few milliseconds.
    static constexpr std::int64_t kNoiseMs = 250;

    explicit PanelSimulator(const SimClock& clock);

    const SimClock& Clock() const { return m_clock; }

    // ---- the program's side; statuses as in SimStatus.h
    bool Connected(int panel);
    bool InterfaceFails(int panel, bool deviceInterface);
    std::int32_t GetVersionInfo(int panel, PanelVersionInfo* info);
    std::int32_t SetMode(int panel, std::int32_t mode);
    std::int32_t GetDeviceStatus(int panel, PanelDeviceStatus* status);
    // file: the whole image, or null when it could not be read.
    std::int32_t StartDownload(int panel, const std::vector<std::uint8_t>* file);
    std::int32_t FinishDownload(int panel);
    std::int32_t SetDialMode(const std::uint8_t* block);
    std::int32_t SetLed(int panel, std::int32_t led, std::uint8_t state);
    std::int32_t SetFader(std::int32_t fader, std::int32_t held, std::uint8_t pos);
    std::int32_t GetState(PanelStatus* state);

    // ---- the hardware side; empty string on success, else the reason
    std::string Key(int panel, const std::string& name, bool down);
    std::string Tap(int panel, const std::string& name);
    std::string TurnJog(int steps);
    std::string TurnKnob(int knob, int delta);
    std::string MoveBall(int dx, int dy);
    std::string TurnRing(int delta);
    std::string MoveFader(int fader, int pos);
    std::string Plug(int panel, bool on);
    std::string PowerCycle(int panel);
    std::string SetFirmwareVersion(int panel, int major, int build);
    std::string SetDriverVersion(int panel, int major, int minor, int build);
    std::string SetFault(int panel, Fault fault, bool on);
    // The Panel Check's faults; reset clears them with the panels.
    std::string SetKeyFault(int panel, const std::string& key, bool stuck, bool on);
    std::string SetDeadZone(int fader, int from, int to);
    // control: an Audio fader (0-8) or a Media Bar knob (0-7).
    std::string SetNoisy(int panel, int control, bool on);
    std::string SetMotorFault(int fader, AudioModel::MotorFault fault);
    // lamp: as SetLed numbers it, on a panel with lamps.
    std::string SetDeadLamp(int panel, int lamp, bool on);
    std::string SetShortedLamps(int panel, int a, int b, bool on);
    std::string Storm(int panel, int perSecond, int seconds);
    std::string UnknownIid(int panel);
    // A connection callback with any value, the panel itself unchanged (how a
    // program copes with states other than 0 and 1).
    std::string ReportConnectionState(int panel, std::int32_t state);
    // A report of exactly these bytes, the panel's own state unchanged: how a
    // recorded session is played back.
    std::string RawReport(int panel, const PanelChanges& changes, const PanelStatus& status);
    // The model's line plus "reports <n> last-report <stamp>": what NoteDelivered counted.
    std::string Describe(int panel);
    // Every panel back to its starting state (versions, faders, LEDs, download
    // result), faults and storms off. A connected panel stays connected without
    // a word; an unplugged one reports connected; one in a download reports the
    // download ended (unplugged) and reconnects.
    void Reset();

    // ---- time and delivery
    void Tick();
    std::vector<SimEvent> TakeEvents();
    // Waits until events are queued or the time is up; true when there are events.
    bool WaitForEvents(int maxMs);
    // Wakes a waiting delivery thread (e.g. to stop it).
    void Wake();
    // True while Tick has work to do as time passes (a tap's release, a storm,
    // a transfer, a power cycle, a fader motor): the delivery thread then ticks often,
    // otherwise it sleeps until an event or a nudge.
    bool TimedWorkPending();
    // The library handed one of the panel's reports to a program's sink. stamp:
    // when, on the library's clock (the DLL passes QueryPerformanceCounter, one
    // clock for every process of the machine, so a benchmark can compare it with
    // what it sees on screen). Counted from the library's start; Reset leaves the
    // counts alone, so whoever reads them takes differences.
    void NoteDelivered(int panel, std::int64_t stamp);

private:
    struct StormRun {
        int panel = 0;
        std::int64_t start = 0;
        double intervalMs = 0;
        std::int64_t total = 0;
        std::int64_t done = 0;
    };
    // One noisy control: one step out (up, or down at the top stop), then the
    // same step back, and again.
    struct Noise {
        int panel;
        int control;
        std::int64_t next;
        int back;  // the step that takes it back; 0 when the next step goes out
    };
    struct Release {
        int panel;
        int key;
        std::int64_t at;
    };

    PanelModel& Model(int panel);
    void StormReport(int panel, std::int64_t index, std::vector<SimEvent>& out);
    void Publish(std::vector<SimEvent>& events);  // with m_mu held
    // Runs change(events) with m_mu held, then publishes the events it made;
    // gives back what change returns.
    template <typename Change>
    auto ApplyLocked(Change&& change);
    void ResetLocked(std::vector<SimEvent>& events);
    void NudgeLocked();  // new timed work: wake the delivery thread

    const SimClock& m_clock;
    std::mutex m_mu;
    std::condition_variable m_cv;
    bool m_woken = false;
    std::unique_ptr<JogShuttleModel> m_jog;
    std::unique_ptr<AudioModel> m_audio;
    std::unique_ptr<TrackballModel> m_trackball;
    std::unique_ptr<MediaBarModel> m_mediaBar;
    bool m_faults[kPanelCount][kFaultCount] = {};
    std::vector<StormRun> m_storms;
    std::vector<Release> m_releases;
    std::vector<Noise> m_noise;
    std::deque<SimEvent> m_queue;
    // Written by the delivery thread without taking m_mu: a storm must not make
    // every report contend with the program's calls.
    std::atomic<std::int64_t> m_delivered[kPanelCount] = {};
    std::atomic<std::int64_t> m_lastDelivered[kPanelCount] = {};
};
