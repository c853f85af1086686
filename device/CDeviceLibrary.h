// Loads the maker's TqDvManager.dll from the program's own folder, by full path,
// and creates device managers through its one export.
#pragma once

#include <string>

#include "contract/TqDvManager.h"

class CDeviceLibrary {
public:
    // A new device manager, or null when the library or its export is missing
    // (LoadError then says which). The library is looked for once per run.
    static ITqDeviceManager* CreateDeviceManager();

    // True once a load was tried and failed.
    static bool Unavailable();

    // What went wrong, naming the library by its full path, for the application
    // to tell the user; empty unless Unavailable().
    static std::wstring LoadError();

    // Tests hand out their own managers; null restores the library.
    static PFN_CreateDeviceManager SetFactoryForTesting(PFN_CreateDeviceManager factory);

    // The full path the library is loaded from.
    static std::wstring LibraryPath();

    // True when a library with the stand-in's mark (contract/StandInMark.h) is
    // loaded in this process: as TqDvManager.dll, or behind the recorder as the
    // library it passes the calls on to. The maker's library has no such mark.
    static bool SimulatedPanelsLoaded();

    // True when the file at path is the stand-in library: its version resource
    // carries the mark. False for any other file and for none at all.
    static bool IsStandIn(const std::wstring& path);

private:
    static PFN_CreateDeviceManager Load();
};
