// What all wrappers of one loaded recorder share: the recording, the names the
// recording gives objects ("M1" a device manager, "D2" a device interface,
// "E3" an event interface, "S4" a sink) and the table that keeps one wrapper
// per real object.
//
// Identity: a wrapper is kept per real object and interface kind. When the
// library hands out an object it has handed out before (and that is still
// alive), the program gets the same wrapper again, exactly as it would get the
// same pointer from the library itself; the wrapper lives until the real
// object's count reaches 0.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "recorder/format/RecordingWriter.h"

class RecorderSession {
public:
    // Interface kinds of the wrapper table: 2 * PanelIndex (+1 for events), kManager for managers.
    static constexpr int kManager = 100;

    RecorderSession(RecordingWriter::Output output, const std::vector<std::string>& header,
                    std::uint64_t capBytes = RecordingWriter::kDefaultCap);
    RecorderSession(const RecorderSession&) = delete;
    RecorderSession& operator=(const RecorderSession&) = delete;

    // One event line, stamped with the calling thread.
    void Event(const std::string& body);
    std::string NewName(char kind);

    // The wrapper table; every use holds TableMutex().
    std::mutex& TableMutex() { return m_tableMu; }
    // The wrapper (as handed to the program) and its name, or a null pointer.
    std::pair<void*, std::string> Find(const void* real, int kind);
    void Remember(const void* real, int kind, void* wrapper, const std::string& name);
    void Forget(const void* real, int kind);

    // Wrappers alive, for the tests: 0 once the program has given everything back.
    int LiveWrappers() const { return m_live.load(); }
    void WrapperBorn() { ++m_live; }
    void WrapperDied() { --m_live; }

    // "jog.device", "audio.events", "{GUID}" or "null".
    static std::string InterfaceText(const GUID* iid);
    // "jog" ... "mediabar", "{GUID}" or "null".
    static std::string PanelText(const GUID* iid);
    static std::string GuidText(const GUID& iid);
    // A path as one token: UTF-8 with '%', blanks and control characters as %xx.
    static std::string PathText(const wchar_t* path);
    // A block written as "=<hex>" without its trailing zero bytes, or "null".
    static std::string BlockText(const void* block, std::size_t size);

private:
    RecordingWriter m_writer;
    LARGE_INTEGER m_start{};
    LARGE_INTEGER m_frequency{};
    std::atomic<int> m_names[26] = {};
    std::mutex m_tableMu;
    std::map<std::pair<const void*, int>, std::pair<void*, std::string>> m_table;
    std::atomic<int> m_live{0};
};
