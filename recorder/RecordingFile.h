// The file a recording goes to: beside the program, named after it and the
// time it started (VelPanel-20261208-101502.tqrec; "-2", "-3" ... when that
// name is taken), or in the temporary folder when the program's folder cannot
// be written. Each line is one WriteFile on a handle without a buffer of ours:
// once a line is written, a crash of the program cannot lose it (a crash of
// the machine can; the lines are not flushed to the disk one by one).
#pragma once

#include <windows.h>

#include <string>

class RecordingFile {
public:
    RecordingFile() = default;
    ~RecordingFile();
    RecordingFile(const RecordingFile&) = delete;
    RecordingFile& operator=(const RecordingFile&) = delete;

    // False when no file could be made anywhere.
    bool Open();
    bool Write(const std::string& line);
    const std::wstring& Path() const { return m_path; }

    // <folder>\<stem>-<yyyymmdd>-<hhmmss>[-n].tqrec for the time given.
    static std::wstring Name(const std::wstring& folder, const std::wstring& stem, const SYSTEMTIME& time, int n);

private:
    bool OpenIn(const std::wstring& folder, const std::wstring& stem, const SYSTEMTIME& time);

    HANDLE m_file = INVALID_HANDLE_VALUE;
    std::wstring m_path;
};
