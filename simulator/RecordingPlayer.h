// velsim's side of a recording made with the recorder (recorder/README.md):
// print it as a timeline, or play its reports and connection states into the
// simulated panels through the control channel at the recorded pace. A bad
// line stops both where it stands: what came before it is shown or played,
// then the error names the line.
#pragma once

#include <functional>
#include <string>

class RecordingPlayer {
public:
    // Sends one control line, gives its answer; false when the channel broke.
    using Ask = std::function<bool(const std::string& line, std::string& answer)>;

    // Exit codes as velsim's: 0 all well, 1 a bad recording or a refused line, 2 no channel.
    // raw: every line as recorded (RecordingTimeline), else the readable timeline (ReadableTimeline).
    static int Show(const std::wstring& path, bool raw);
    // speed: 1 the recorded pace, 2 twice as fast ...; connect is called once the file has been read.
    static int Play(const std::wstring& path, double speed, const std::function<Ask()>& connect);
};
