#include <windows.h>

#include <cstdint>
#include <vector>

#include "simulator/model/RomImage.h"

bool ReadWholeFile(const wchar_t* path, std::vector<std::uint8_t>& out) {
    out.clear();
    HANDLE file =
        CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) != 0;
    // Anything far beyond the largest image is not read at all: the header check
    // then calls it trailing data without the whole file in memory.
    const LONGLONG limit = LONGLONG(RomImage::kHeaderSize + RomImage::kMaxPayload) + 1;
    if (ok) {
        out.resize(std::size_t(size.QuadPart < limit ? size.QuadPart : limit));
        DWORD got = 0;
        std::size_t done = 0;
        while (ok && done < out.size()) {
            ok = ReadFile(file, out.data() + done, DWORD(out.size() - done), &got, nullptr) != 0 && got > 0;
            done += got;
        }
    }
    CloseHandle(file);
    if (!ok) out.clear();
    return ok;
}
