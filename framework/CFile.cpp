#include "framework/CFile.h"

BOOL CFile::OpenForRead(const std::wstring& path) {
    Close();
    m_handle = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                             nullptr);
    return IsOpen();
}

void CFile::Close() {
    if (IsOpen()) ::CloseHandle(m_handle);
    m_handle = INVALID_HANDLE_VALUE;
}

std::int64_t CFile::GetLength() const {
    LARGE_INTEGER size{};
    if (!IsOpen() || !::GetFileSizeEx(m_handle, &size)) return -1;
    return size.QuadPart;
}

UINT CFile::Read(void* buffer, UINT count) {
    DWORD read = 0;
    if (!IsOpen() || !::ReadFile(m_handle, buffer, count, &read, nullptr)) return 0;
    return read;
}
