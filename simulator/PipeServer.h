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

    std::wstring m_name;
    Handler m_handler;
    HANDLE m_stop = nullptr;
    HANDLE m_thread = nullptr;
    DWORD m_threadId = 0;
    HMODULE m_module = nullptr;
};
