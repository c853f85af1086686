// Loads the maker's TqDvManager.dll from the program's own folder, by full path,
// and creates device managers through its one export.
#pragma once

#include <string>

#include "TqDvManager.h"

class CDeviceLibrary {
public:
    // A new device manager, or null when the library or its export is missing
    // (the user has then been told once).
    static ITqDeviceManager* CreateDeviceManager();

    // True once a load was tried and failed.
    static bool Unavailable();

    // Tests hand out their own managers; null restores the library.
    static PFN_CreateDeviceManager SetFactoryForTesting(PFN_CreateDeviceManager factory);

    // The full path the library is loaded from.
    static std::wstring LibraryPath();

private:
    static PFN_CreateDeviceManager Load();
};
