#include "panels/FileDigest.h"

#include <windows.h>

#include <vector>

#include "panels/Sha256.h"

namespace {
struct FileHandle {
    HANDLE handle;
    ~FileHandle() {
        if (handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
    }
};
}  // namespace

FileDigest DigestFile(const std::wstring& path) {
    FileDigest digest;
    // Shared for writing too: the library may hold the image open while it transfers it.
    FileHandle file{::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.handle == INVALID_HANDLE_VALUE) return digest;
    Sha256 sha;
    std::vector<char> buffer(64 * 1024);
    DWORD got = 0;
    while (::ReadFile(file.handle, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) && got > 0) {
        sha.Update(buffer.data(), got);
        digest.size += got;
    }
    digest.sha256 = sha.HexDigest();
    return digest;
}
