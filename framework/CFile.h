// A file opened for reading, closed with the object.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

class CFile {
public:
    CFile() = default;
    ~CFile() { Close(); }
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    BOOL OpenForRead(const std::wstring& path);
    void Close();
    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    // Size in bytes, or -1 when it is unknown.
    std::int64_t GetLength() const;
    // Reads up to count bytes; returns how many were read.
    UINT Read(void* buffer, UINT count);

private:
    HANDLE m_handle = INVALID_HANDLE_VALUE;
};
