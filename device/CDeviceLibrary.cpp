#include "device/CDeviceLibrary.h"

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>

#include "contract/StandInMark.h"

namespace {
PFN_CreateDeviceManager g_testFactory = nullptr;
PFN_CreateDeviceManager g_export = nullptr;
bool g_tried = false;
std::wstring g_problem;

// The folder of the program (not of the current directory), with its backslash.
std::wstring ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return L"";
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

// The version resource is read here rather than through version.dll, which is no
// known DLL: a copy planted beside the program would be loaded in its place.
// Each node of the resource: its length, its value's length, its type (1: text,
// counted in characters), its key with a terminator, then its value and its
// children, each starting on a 32-bit boundary counted from the resource's start.
struct VersionNode {
    std::wstring key;
    size_t value = 0;
    size_t valueBytes = 0;
    size_t children = 0;
    size_t end = 0;
};

constexpr size_t Align4(size_t at) { return (at + 3) & ~size_t{3}; }

WORD WordAt(const BYTE* data, size_t at) {
    WORD w;
    std::memcpy(&w, data + at, sizeof w);
    return w;
}

// False when the node at `at` does not lie whole within its parent's end.
bool ReadNode(const BYTE* data, size_t at, size_t parentEnd, VersionNode& node) {
    if (at + 6 > parentEnd) return false;
    const size_t length = WordAt(data, at);
    if (length < 6 || length > parentEnd - at) return false;
    node.end = at + length;
    node.key.clear();
    size_t p = at + 6;
    for (;; p += 2) {
        if (p + 2 > node.end) return false;
        const wchar_t c = WordAt(data, p);
        if (!c) break;
        node.key += c;
    }
    node.value = std::min(Align4(p + 2), node.end);
    node.valueBytes =
        std::min<size_t>(WordAt(data, at + 2) * (WordAt(data, at + 4) == 1 ? 2 : 1), node.end - node.value);
    node.children = std::min(Align4(node.value + node.valueBytes), node.end);
    return true;
}

// Calls visit for each child until it returns true; true when one did.
bool AnyChild(const BYTE* data, const VersionNode& parent, const std::function<bool(const VersionNode&)>& visit) {
    VersionNode child;
    for (size_t at = parent.children; ReadNode(data, at, parent.end, child); at = Align4(child.end))
        if (visit(child)) return true;
    return false;
}

// The InternalName of any string table, as the resource compilers write it.
bool HasMark(const BYTE* data, size_t size) {
    const std::wstring mark = L"" VEL_STAND_IN_MARK;
    VersionNode root;
    if (!ReadNode(data, 0, size, root) || root.key != L"VS_VERSION_INFO") return false;
    return AnyChild(data, root, [&](const VersionNode& info) {
        return info.key == L"StringFileInfo" && AnyChild(data, info, [&](const VersionNode& table) {
                   return AnyChild(data, table, [&](const VersionNode& entry) {
                       if (entry.key != L"InternalName") return false;
                       std::wstring text(entry.valueBytes / 2, L'\0');
                       std::memcpy(text.data(), data + entry.value, text.size() * 2);
                       return text.substr(0, text.find(L'\0')) == mark;
                   });
               });
    });
}

bool ModuleHasMark(HMODULE module) {
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    return data && HasMark(static_cast<const BYTE*>(data), ::SizeofResource(module, found));
}
}  // namespace

std::wstring CDeviceLibrary::LibraryPath() { return ProgramFolder() + kDeviceLibraryName; }

PFN_CreateDeviceManager CDeviceLibrary::Load() {
    if (g_tried) return g_export;
    g_tried = true;
    const std::wstring path = LibraryPath();
    // A full path with the altered search order: the library and what it needs come
    // from the program's folder, never from wherever the DLL search path leads.
    HMODULE module = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!module) {
        g_problem = L"The device library " + std::wstring(kDeviceLibraryName) + L" could not be loaded from\n" + path;
    } else {
        g_export = reinterpret_cast<PFN_CreateDeviceManager>(
            reinterpret_cast<void*>(::GetProcAddress(module, kCreateDeviceManagerExport)));
        if (!g_export)
            g_problem =
                L"The device library " + path + L"\ndoes not export " + std::wstring(L"CreateDeviceManager") + L".";
    }
    return g_export;
}

bool CDeviceLibrary::Unavailable() { return !g_testFactory && g_tried && !g_export; }

std::wstring CDeviceLibrary::LoadError() { return Unavailable() ? g_problem : std::wstring(); }

ITqDeviceManager* CDeviceLibrary::CreateDeviceManager() {
    if (g_testFactory) return g_testFactory();
    const PFN_CreateDeviceManager create = Load();
    return create ? create() : nullptr;
}

PFN_CreateDeviceManager CDeviceLibrary::SetFactoryForTesting(PFN_CreateDeviceManager factory) {
    const PFN_CreateDeviceManager previous = g_testFactory;
    g_testFactory = factory;
    return previous;
}

bool CDeviceLibrary::SimulatedPanelsLoaded() {
    const HANDLE handle = ::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, 0);
    if (handle == INVALID_HANDLE_VALUE) return false;
    const std::unique_ptr<void, decltype(&::CloseHandle)> snapshot(handle, &::CloseHandle);
    MODULEENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Module32FirstW(handle, &entry); more; more = ::Module32NextW(handle, &entry))
        if (ModuleHasMark(entry.hModule)) return true;
    return false;
}

bool CDeviceLibrary::IsStandIn(const std::wstring& path) {
    // As data only: looking at a file must not run its code.
    HMODULE file = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!file) return false;
    const bool marked = ModuleHasMark(file);
    ::FreeLibrary(file);
    return marked;
}
