#include "simulator/PipeServer.h"

#include <vector>

#include "simulator/model/CommandParser.h"
#include "simulator/model/LineBuffer.h"

namespace {
HMODULE PinThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&PinThisModule), &module);
    return module;
}

struct Args {
    PipeServer* server;
    HMODULE module;
};
}  // namespace

PipeServer::~PipeServer() { Stop(); }

bool PipeServer::Start(const std::wstring& name, Handler handler) {
    if (m_thread) return true;
    m_name = name;
    m_handler = std::move(handler);
    m_stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!m_stop) return false;
    auto* args = new Args{this, PinThisModule()};
    m_thread = CreateThread(nullptr, 0, &PipeServer::ThreadMain, args, 0, &m_threadId);
    if (!m_thread) {
        if (args->module) FreeLibrary(args->module);
        delete args;
        CloseHandle(m_stop);
        m_stop = nullptr;
        return false;
    }
    return true;
}

void PipeServer::Stop() {
    if (!m_thread) return;
    SetEvent(m_stop);
    if (m_threadId != GetCurrentThreadId()) WaitForSingleObject(m_thread, INFINITE);
    CloseHandle(m_thread);
    CloseHandle(m_stop);
    m_thread = nullptr;
    m_stop = nullptr;
}

DWORD WINAPI PipeServer::ThreadMain(LPVOID param) {
    auto* args = static_cast<Args*>(param);
    const HMODULE module = args->module;
    args->server->Run();
    delete args;
    if (module) FreeLibraryAndExitThread(module, 0);
    return 0;
}

// Waits for an overlapped operation or for Stop(); false when the operation
// failed or was cancelled because of Stop().
bool PipeServer::Wait(HANDLE io, OVERLAPPED& ov, HANDLE pipe, DWORD& bytes) {
    HANDLE handles[2] = {m_stop, io};
    const DWORD w = WaitForMultipleObjects(2, handles, FALSE, INFINITE);
    if (w != WAIT_OBJECT_0 + 1) {
        CancelIo(pipe);
        GetOverlappedResult(pipe, &ov, &bytes, TRUE);  // the OVERLAPPED must not be in use when we leave
        return false;
    }
    return GetOverlappedResult(pipe, &ov, &bytes, FALSE) != 0;
}

void PipeServer::Run() {
    HANDLE io = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    while (io && WaitForSingleObject(m_stop, 0) != WAIT_OBJECT_0) {
        DWORD mode = PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS;
        HANDLE pipe =
            CreateNamedPipeW(m_name.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                             mode, 1, 4096, 4096, 0, nullptr);
        if (pipe == INVALID_HANDLE_VALUE && GetLastError() == ERROR_INVALID_PARAMETER) {
            mode &= ~DWORD(PIPE_REJECT_REMOTE_CLIENTS);  // older systems do not know the flag
            pipe = CreateNamedPipeW(m_name.c_str(),
                                    PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE, mode, 1,
                                    4096, 4096, 0, nullptr);
        }
        if (pipe == INVALID_HANDLE_VALUE) {
            // Another process of this session serves the channel; try again later.
            WaitForSingleObject(m_stop, 1000);
            continue;
        }
        while (WaitForSingleObject(m_stop, 0) != WAIT_OBJECT_0) {
            OVERLAPPED ov{};
            ov.hEvent = io;
            ResetEvent(io);
            bool connected = ConnectNamedPipe(pipe, &ov) != 0;
            if (!connected) {
                const DWORD err = GetLastError();
                DWORD bytes = 0;
                if (err == ERROR_PIPE_CONNECTED)
                    connected = true;
                else if (err == ERROR_IO_PENDING)
                    connected = Wait(io, ov, pipe, bytes);
            }
            if (connected) Serve(pipe);
            DisconnectNamedPipe(pipe);
            if (!connected) break;
        }
        CloseHandle(pipe);
    }
    if (io) CloseHandle(io);
}

void PipeServer::Serve(HANDLE pipe) {
    HANDLE io = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!io) return;
    LineBuffer lines(CommandParser::kMaxLineLength);
    char buffer[1024];
    for (;;) {
        OVERLAPPED ov{};
        ov.hEvent = io;
        ResetEvent(io);
        DWORD got = 0;
        if (!ReadFile(pipe, buffer, sizeof buffer, &got, &ov)) {
            if (GetLastError() != ERROR_IO_PENDING || !Wait(io, ov, pipe, got)) break;
        } else if (!GetOverlappedResult(pipe, &ov, &got, FALSE)) {
            break;
        }
        if (got == 0) continue;
        std::vector<LineBuffer::Line> complete;
        lines.Feed(buffer, got, complete);
        for (const auto& line : complete) {
            std::string answer = line.overlong ? "error: line too long" : m_handler(line.text);
            answer += "\n";
            OVERLAPPED wov{};
            wov.hEvent = io;
            ResetEvent(io);
            DWORD put = 0;
            if (!WriteFile(pipe, answer.data(), DWORD(answer.size()), &put, &wov)) {
                if (GetLastError() != ERROR_IO_PENDING || !Wait(io, wov, pipe, put)) {
                    CloseHandle(io);
                    return;
                }
            }
        }
    }
    CloseHandle(io);
}
