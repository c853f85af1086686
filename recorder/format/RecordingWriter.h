// Writes a recording: the version line, a few comment lines, then one line per
// event, each stamped and handed to the output whole, under one lock, so lines
// of the window thread and the library's thread never interleave and their
// times never go backwards. The file is capped: once the next line would pass
// the cap, a last note says so and nothing more is written (the calls are
// still forwarded; only the recording stops).
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

class RecordingWriter {
public:
    // Takes one whole line (with its '\n'); false when it could not be written.
    using Output = std::function<bool(const std::string& line)>;
    // Milliseconds since the recording started.
    using Clock = std::function<double()>;

    static constexpr std::uint64_t kDefaultCap = 100u * 1024u * 1024u;

    RecordingWriter(Output output, Clock clock, std::uint64_t capBytes = kDefaultCap);

    // The version line, then each comment as a "# " line.
    void Start(const std::vector<std::string>& comments);
    // One event; body is what follows the time and the thread, e.g. "call M1 GetInterface jog.device".
    void Event(std::uint32_t thread, const std::string& body);

    bool Stopped();
    std::uint64_t BytesWritten();

private:
    bool Put(const std::string& line);  // with m_mu held

    Output m_output;
    Clock m_clock;
    const std::uint64_t m_cap;
    std::mutex m_mu;
    std::uint64_t m_written = 0;
    bool m_stopped = false;
};
