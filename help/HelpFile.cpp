#include "help/HelpFile.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <iterator>
#include <utility>
#include <vector>

#include "framework/CFile.h"

namespace {

constexpr const wchar_t* kHelpFiles[] = {L"VelJog.txt", L"VelFad.txt", L"VelTrk.txt", L"VelKnb.txt"};

// How much of a reported length is taken as a first guess, and the most one read asks for.
constexpr std::int64_t kLongestHint = 1 << 24;
constexpr size_t kChunk = 1 << 20;

// The longest path the system takes at all (in units, with the \\?\ form).
constexpr DWORD kLongestPath = 32768;

// Empty when the bytes are not valid in the code page under these flags.
std::wstring ToWide(UINT codePage, DWORD flags, const char* bytes, size_t count) {
    // The conversion takes an int count; no help file comes near that.
    const int n = static_cast<int>(std::min<size_t>(count, INT_MAX));
    if (n == 0) return std::wstring();
    const int units = ::MultiByteToWideChar(codePage, flags, bytes, n, nullptr, 0);
    if (units <= 0) return std::wstring();
    std::wstring text(static_cast<size_t>(units), L'\0');
    ::MultiByteToWideChar(codePage, flags, bytes, n, text.data(), units);
    return text;
}

constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";

}  // namespace

std::wstring OpenablePath(const std::wstring& path) {
    if (path.size() < MAX_PATH || path.compare(0, 4, L"\\\\?\\") == 0) return path;
    if (path.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + path.substr(2);
    if (path.size() > 2 && path[1] == L':' && path[2] == L'\\') return L"\\\\?\\" + path;
    return path;
}

const wchar_t* HelpFileName(int helpIndex) {
    if (helpIndex < 0 || helpIndex >= static_cast<int>(std::size(kHelpFiles))) return nullptr;
    return kHelpFiles[helpIndex];
}

std::wstring DirectoryOfPath(const std::wstring& path) {
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring ProgramPath() {
    return ProgramPath([](wchar_t* buffer, unsigned long size) { return ::GetModuleFileNameW(nullptr, buffer, size); });
}

std::wstring ProgramPath(const std::function<unsigned long(wchar_t* buffer, unsigned long size)>& moduleFileName) {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD n = moduleFileName(buffer.data(), size);
        if (n == 0) return std::wstring();
        // A path that filled the buffer may have been cut short.
        if (n < size) return std::wstring(buffer.data(), n);
        if (size >= kLongestPath) return std::wstring();
        buffer.resize(std::min<DWORD>(size * 2, kLongestPath));
    }
}

std::wstring HelpFilePath(const std::wstring& directory, int helpIndex) {
    const wchar_t* name = HelpFileName(helpIndex);
    return name ? directory + name : std::wstring();
}

std::wstring DecodeText(const char* bytes, size_t count) {
    count = static_cast<size_t>(std::find(bytes, bytes + count, '\0') - bytes);
    if (count >= 3 && std::equal(bytes, bytes + 3, kUtf8Mark))
        return ToWide(CP_UTF8, 0, bytes + 3, count - 3);
    // Plain ASCII reads the same either way; text with bytes above 127 that is
    // not valid UTF-8 was written in the ANSI code page.
    const bool high = std::any_of(bytes, bytes + count, [](char c) { return static_cast<unsigned char>(c) > 127; });
    if (high) {
        std::wstring utf8 = ToWide(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, count);
        if (!utf8.empty()) return utf8;
    }
    return ToWide(CP_ACP, 0, bytes, count);
}

std::optional<std::wstring> ReadTextFile(const std::wstring& path) {
    if (path.empty()) return std::nullopt;
    CFile file;
    if (!file.OpenForRead(OpenablePath(path))) return std::nullopt;

    // The length is only a hint: the file is read up to its end, whatever it has become since.
    const std::int64_t length = file.GetLength();
    std::vector<char> bytes(static_cast<size_t>(std::clamp<std::int64_t>(length, 0, kLongestHint)) + 1);
    size_t used = 0;
    for (;;) {
        if (used == bytes.size()) bytes.resize(bytes.size() * 2);
        const UINT got =
            file.Read(bytes.data() + used, static_cast<UINT>(std::min<size_t>(bytes.size() - used, kChunk)));
        if (got == 0) break;
        used += got;
    }
    return DecodeText(bytes.data(), used);
}

std::wstring HelpText(const std::wstring& directory, int helpIndex) {
    const wchar_t* name = HelpFileName(helpIndex);
    if (!name) return std::wstring();
    const std::wstring path = HelpFilePath(directory, helpIndex);
    if (std::optional<std::wstring> text = ReadTextFile(path)) {
        if (!text->empty()) return *std::move(text);
        return L"The help file " + std::wstring(name) + L" in " + directory + L" is empty.";
    }
    if (::GetFileAttributesW(OpenablePath(path).c_str()) == INVALID_FILE_ATTRIBUTES)
        return L"The help file " + std::wstring(name) + L" was not found in " + directory + L".";
    return L"The help file " + std::wstring(name) + L" in " + directory + L" could not be read.";
}
