#include "tests/support/GuiObjectCount.h"

#include <winternl.h>

#include <cstdint>
#include <vector>

namespace {
// One entry of the GDI handle table as Wine lays it out (the same on 32 and
// 64 bits); a type of 0 is a free entry.
struct GdiHandleEntry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint16_t unique;
    std::uint8_t type;
    std::uint8_t flags;
    std::uint64_t userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24, "Wine's GDI handle entry is 24 bytes");
constexpr std::size_t kGdiHandleCount = 0x10000;
constexpr std::size_t kGdiTableOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;  // in the PEB

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<DWORD*>(count);
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM count) {
    ++*reinterpret_cast<DWORD*>(count);
    ::EnumChildWindows(hwnd, &CountChild, count);
    return TRUE;
}

DWORD CountThreadWindows() {
    DWORD n = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CountTopLevel, reinterpret_cast<LPARAM>(&n));
    return n;
}
}  // namespace

long CountGdiHandleTable(HANDLE process) {
    using Query = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    static const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION info{};
    if (!query || query(process, ProcessBasicInformation, &info, sizeof info, nullptr) != 0 || !info.PebBaseAddress)
        return -1;
    std::uintptr_t table = 0;
    SIZE_T got = 0;
    const auto* slot = reinterpret_cast<const char*>(info.PebBaseAddress) + kGdiTableOffset;
    if (!::ReadProcessMemory(process, slot, &table, sizeof table, &got) || got != sizeof table || !table) return -1;
    // Read in pieces through ReadProcessMemory, which fails where plain reads
    // would fault: a part of the table never used need not be committed.
    constexpr std::size_t kPiece = 4096;
    std::vector<GdiHandleEntry> entries(kPiece);
    long live = 0;
    bool read = false;
    for (std::size_t first = 0; first < kGdiHandleCount; first += kPiece) {
        const auto* at = reinterpret_cast<const void*>(table + first * sizeof(GdiHandleEntry));
        if (!::ReadProcessMemory(process, at, entries.data(), kPiece * sizeof(GdiHandleEntry), &got) ||
            got != kPiece * sizeof(GdiHandleEntry))
            continue;
        read = true;
        for (const GdiHandleEntry& e : entries)
            if (e.type != 0) ++live;
    }
    return read ? live : -1;
}

GuiObjectCount CountGuiObjects() {
    GuiObjectCount count;
    ::SetLastError(0);
    count.gdi = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    count.user = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    if (count.gdi == 0 && ::GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) {
        const long gdi = CountGdiHandleTable(::GetCurrentProcess());
        count.gdi = gdi < 0 ? 0 : static_cast<DWORD>(gdi);
        count.user = CountThreadWindows();
    }
    return count;
}
