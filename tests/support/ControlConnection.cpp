#include "tests/support/ControlConnection.h"

ControlConnection::ControlConnection(const std::wstring& pipeName) {
    for (int i = 0; i < 200 && m_pipe == INVALID_HANDLE_VALUE; ++i) {
        m_pipe = ::CreateFileW(pipeName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (m_pipe != INVALID_HANDLE_VALUE) break;
        // Busy: the one instance still serves the client before; otherwise the
        // library has not started serving yet.
        if (::GetLastError() != ERROR_PIPE_BUSY || !::WaitNamedPipeW(pipeName.c_str(), 50)) ::Sleep(50);
    }
}

ControlConnection::~ControlConnection() { Close(); }

void ControlConnection::Close() {
    if (m_pipe != INVALID_HANDLE_VALUE) ::CloseHandle(m_pipe);
    m_pipe = INVALID_HANDLE_VALUE;
}

bool ControlConnection::Write(const std::string& bytes) {
    std::size_t done = 0;
    while (IsOpen() && done < bytes.size()) {
        DWORD put = 0;
        const DWORD size = static_cast<DWORD>(bytes.size() - done);
        if (!::WriteFile(m_pipe, bytes.data() + done, size, &put, nullptr) || put == 0) return false;
        done += put;
    }
    return done == bytes.size();
}

bool ControlConnection::ReadLine(std::string& line) {
    for (;;) {
        const std::size_t end = m_pending.find('\n');
        if (end != std::string::npos) {
            line = m_pending.substr(0, end);
            m_pending.erase(0, end + 1);
            return true;
        }
        char buffer[512];
        DWORD got = 0;
        if (!IsOpen() || !::ReadFile(m_pipe, buffer, sizeof buffer, &got, nullptr) || got == 0) return false;
        m_pending.append(buffer, got);
    }
}
