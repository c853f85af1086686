#include "download/CompactPath.h"

namespace {

// Where the part that is never left out ends: after "C:\", after "\\server\share\",
// after a leading "\", or nothing for a relative path.
size_t RootLength(const std::wstring& path) {
    if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') return 3;
    if (path.compare(0, 2, L"\\\\") == 0) {
        size_t at = path.find(L'\\', 2);                     // end of the server
        if (at != std::wstring::npos) at = path.find(L'\\', at + 1);  // end of the share
        return at == std::wstring::npos ? 0 : at + 1;
    }
    return !path.empty() && path[0] == L'\\' ? 1 : 0;
}

}  // namespace

std::wstring CompactPath(const std::wstring& path, int width,
                         const std::function<int(const std::wstring& text)>& measure) {
    if (measure(path) <= width) return path;
    const size_t nameStart = path.rfind(L'\\');
    if (nameStart == std::wstring::npos) return path;  // a bare name: nothing to leave out
    const std::wstring root = path.substr(0, RootLength(path));
    // Widen the kept tail one folder at a time, from the file name back, while it fits.
    size_t tail = nameStart;
    std::wstring best = root + L"..." + path.substr(tail);
    if (measure(best) > width) return L"..." + path.substr(nameStart);
    while (tail > root.size()) {
        const size_t previous = path.rfind(L'\\', tail - 1);
        if (previous == std::wstring::npos || previous < root.size()) break;
        const std::wstring wider = root + L"..." + path.substr(previous);
        if (measure(wider) > width) break;
        best = wider;
        tail = previous;
    }
    return best;
}
