// A recording as an engineer in the office reads it (velsim show-recording):
// each panel's reports decoded by the windows' own decoders into what changed,
// keys by the names printed on the panel; connection changes; the program's
// commands by name; a download in a few lines. The reports of one control that
// keeps moving make one line ("fader 3 40 → 212 over 0.8 s"), and so do the
// status queries of a wait or a download. RecordingTimeline keeps every line
// (velsim show-recording --raw).
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "recorder/format/EventEcho.h"
#include "recorder/format/RecordedEvent.h"

class ReadableTimeline {
public:
    // One line per happening: seconds since the start, the panel, what happened.
    static std::string Format(const std::vector<RecordedEvent>& events);

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    struct Line {
        double ms;
        int panel;  // -1: no one panel's
        std::string text;
    };
    // Events told as one line while they keep coming: a control moving, status queries.
    struct Run {
        std::size_t line = kNone;
        double firstMs = 0;
        double lastMs = 0;
        int count = 0;
        int mode = -1;  // the jog dial's mode the values belong to
        int first = 0;  // positions, the first and the latest
        int last = 0;
        int sumX = 0;  // movements, added up
        int sumY = 0;
        int total = 0;         // a download's length
        bool seen = false;     // a status block was read
        bool pending = false;  // ... and the panel said it was busy
        int failed = 0;        // queries that failed
    };
    struct Download {
        bool running = false;
        bool ended = false;
        bool resultRead = false;
        double endMs = 0;
        std::size_t endLine = kNone;
        Run queries;
    };
    // The calls that open and close a window (a handful, close together) share
    // a line: "closes jog; CreateDeviceManager → M2; opens jog".
    struct CallsLine {
        std::size_t line = kNone;
        std::string told;                // the phrases before the latest, each with its "; "
        std::string words;               // the latest phrase: "opens" ...
        std::vector<std::string> items;  // ... and what it is about: "jog", "audio"
    };

    explicit ReadableTimeline(const std::vector<RecordedEvent>& events);

    std::size_t Add(double ms, int panel, const std::string& text);
    Run& Continue(int panel, int control, double ms, double gapMs, int mode = -1);
    int PanelOf(const std::string& object) const;

    void Call(const RecordedEvent& call, const RecordedEvent* ret);
    void Plumbing(double ms, const std::string& words, const std::string& item);
    void StatusQuery(int panel, double ms, const RecordedEvent* ret);
    void Command(int panel, const RecordedEvent& call, const RecordedEvent* ret);
    void Report(const RecordedEvent& e);
    void Key(int panel, int key, bool down, double ms);
    void Dial(int panel, int control, double ms, int value, int mode);
    void Connection(const RecordedEvent& e);
    void Progress(const RecordedEvent& e);

    std::vector<Line> m_lines;
    std::map<std::string, int> m_panelOf;  // device, event and sink names
    std::map<std::pair<int, int>, Run> m_runs;
    std::map<std::pair<int, int>, std::pair<std::size_t, double>> m_keyDown;  // its line and when
    CallsLine m_calls;
    double m_burstMs = -1e9;
    EventEcho m_echo;
    Download m_download[kPanelCount];
    std::size_t m_lastLine[kPanelCount];
    std::size_t m_ledLine[kPanelCount];
    double m_ledMs[kPanelCount] = {};
    int m_connection[kPanelCount];
    int m_jogMode = -1;
};
