#include "recorder/RecordingFile.h"

#include <cwchar>

RecordingFile::~RecordingFile() {
    if (m_file != INVALID_HANDLE_VALUE) CloseHandle(m_file);
}

std::wstring RecordingFile::Name(const std::wstring& folder, const std::wstring& stem, const SYSTEMTIME& t, int n) {
    wchar_t stamp[64];
    std::swprintf(stamp, 64, L"-%04u%02u%02u-%02u%02u%02u", unsigned(t.wYear), unsigned(t.wMonth), unsigned(t.wDay),
                  unsigned(t.wHour), unsigned(t.wMinute), unsigned(t.wSecond));
    std::wstring name = folder + stem + stamp;
    if (n > 1) name += L"-" + std::to_wstring(n);
    return name + L".tqrec";
}

bool RecordingFile::OpenIn(const std::wstring& folder, const std::wstring& stem, const SYSTEMTIME& time) {
    for (int n = 1; n <= 99; ++n) {
        const std::wstring path = Name(folder, stem, time, n);
        // Readable by others while it grows: the engineer may look at it during the session.
        m_file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
        if (m_file != INVALID_HANDLE_VALUE) {
            m_path = path;
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) return false;
    }
    return false;
}

bool RecordingFile::Open() {
    wchar_t program[MAX_PATH * 4];
    const DWORD n = GetModuleFileNameW(nullptr, program, DWORD(sizeof program / sizeof program[0]));
    if (n == 0 || n >= sizeof program / sizeof program[0]) return false;
    std::wstring path(program, n);
    const std::size_t slash = path.find_last_of(L"\\/");
    const std::wstring folder = path.substr(0, slash + 1);
    std::wstring stem = path.substr(slash + 1);
    const std::size_t dot = stem.find_last_of(L'.');
    if (dot != std::wstring::npos) stem.resize(dot);
    SYSTEMTIME now;
    GetLocalTime(&now);
    if (OpenIn(folder, stem, now)) return true;
    wchar_t temp[MAX_PATH + 1];
    const DWORD t = GetTempPathW(MAX_PATH + 1, temp);
    return t > 0 && t <= MAX_PATH && OpenIn(temp, stem, now);
}

bool RecordingFile::Write(const std::string& line) {
    if (m_file == INVALID_HANDLE_VALUE) return false;
    DWORD put = 0;
    return WriteFile(m_file, line.data(), DWORD(line.size()), &put, nullptr) && put == line.size();
}
