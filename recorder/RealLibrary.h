// The maker's library, renamed TqDvManager.real.dll, beside this recorder. It
// is only ever loaded by its full path in this DLL's own folder, never found
// through the search path, which could lead to another copy (or to this one).
#pragma once

#include <string>

#include "contract/TqDvManager.h"

class RealLibrary {
public:
    static constexpr wchar_t kFileName[] = L"TqDvManager.real.dll";

    // <folder of this DLL>\TqDvManager.real.dll
    static std::wstring Path();
    // Whether the file is there at all (asked at load time, when nothing may be loaded).
    static bool Present();
    // Its CreateDeviceManager, loaded on first use; null with the reason when it cannot be had.
    static PFN_CreateDeviceManager Export(std::string& reason);
};
