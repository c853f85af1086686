// One client connection to the stand-in library's control channel, for tests
// that speak it raw: several lines on one connection, bytes that make no line,
// a client that leaves without reading its answers.
#pragma once

#include <windows.h>

#include <string>

class ControlConnection {
public:
    // Waits a while for the pipe, whose serving thread may still be starting or
    // busy with the client before.
    explicit ControlConnection(const std::wstring& pipeName);
    ~ControlConnection();
    ControlConnection(const ControlConnection&) = delete;
    ControlConnection& operator=(const ControlConnection&) = delete;

    bool IsOpen() const { return m_pipe != INVALID_HANDLE_VALUE; }
    // Writes every byte; false when the channel broke.
    bool Write(const std::string& bytes);
    // The next answer line without its "\n"; false when the channel closed first.
    bool ReadLine(std::string& line);
    void Close();

private:
    HANDLE m_pipe = INVALID_HANDLE_VALUE;
    std::string m_pending;  // read past the last line handed out
};
