// Serves the control channel: one client at a time on a named pipe, one answer
// line per command line. Runs on its own thread with overlapped I/O so Stop()
// can end it at any moment; the thread holds a reference on this DLL.
// Only the first process of a session gets the pipe; another one keeps trying
// every second, so it takes over when the first goes away.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

class PipeServer {
public:
    using Handler = std::function<std::string(const std::string& line)>;

    PipeServer() = default;
    ~PipeServer();
    PipeServer(const PipeServer&) = delete;
    PipeServer& operator=(const PipeServer&) = delete;

    bool Start(const std::wstring& name, Handler handler);
    // Not from DllMain: it waits for the thread.
    void Stop();

private:
    static DWORD WINAPI ThreadMain(LPVOID param);
    void Run();
    bool Wait(HANDLE io, OVERLAPPED& ov, HANDLE pipe, DWORD& bytes);
    void Serve(HANDLE pipe);

    std::wstring name_;
    Handler handler_;
    HANDLE stop_ = nullptr;
    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
    HMODULE module_ = nullptr;
};
