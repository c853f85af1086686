#include "recorder/format/RecordingWriter.h"

#include <utility>

#include "recorder/format/RecordingFormat.h"

namespace {
// Room kept under the cap for the note that says the recording stops.
constexpr std::uint64_t kNoteRoom = 128;

std::string ThreadToken(std::uint32_t thread) {
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    do {
        hex.insert(hex.begin(), kDigits[thread & 15]);
        thread >>= 4;
    } while (thread);
    return "t" + hex;
}
}  // namespace

RecordingWriter::RecordingWriter(Output output, Clock clock, std::uint64_t capBytes)
    : m_output(std::move(output)), m_clock(std::move(clock)), m_cap(capBytes) {}

bool RecordingWriter::Put(const std::string& line) {
    if (!m_output(line)) {
        // A full disk or a file gone: recording ends, the program goes on.
        m_stopped = true;
        return false;
    }
    m_written += line.size();
    return true;
}

void RecordingWriter::Start(const std::vector<std::string>& comments) {
    std::lock_guard<std::mutex> lock(m_mu);
    if (!Put(std::string(RecordingFormat::VersionLine()) + "\n")) return;
    for (const std::string& c : comments)
        if (!Put("# " + c + "\n")) return;
}

void RecordingWriter::Event(std::uint32_t thread, const std::string& body) {
    std::lock_guard<std::mutex> lock(m_mu);
    if (m_stopped) return;
    // Stamped under the lock: the file's times never go backwards.
    const std::string head = RecordingFormat::Milliseconds(m_clock()) + " " + ThreadToken(thread) + " ";
    const std::string line = head + body + "\n";
    if (m_written + line.size() + kNoteRoom > m_cap) {
        Put(head + "note capped at " + std::to_string(m_cap) + " bytes; later events are not recorded\n");
        m_stopped = true;
        return;
    }
    Put(line);
}

bool RecordingWriter::Stopped() {
    std::lock_guard<std::mutex> lock(m_mu);
    return m_stopped;
}

std::uint64_t RecordingWriter::BytesWritten() {
    std::lock_guard<std::mutex> lock(m_mu);
    return m_written;
}
