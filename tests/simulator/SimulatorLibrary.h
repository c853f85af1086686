// The stand-in library as the tests of this folder load it: by the full path
// of the build, never through the search path (which could find another copy),
// with a control channel of the test process's own so that test programs
// running side by side never meet.
#pragma once

#include <windows.h>

#include <string>

#include "contract/TqDvManager.h"

// Names the channel (VELPANELSIM_PIPE) and loads the library at buildPath, a
// path of the build as the host sees it; null when it cannot be loaded.
HMODULE LoadSimulatorLibrary(const char* buildPath, const std::wstring& pipeName);

// A device manager from the library; while one lives, the library serves its channel.
ITqDeviceManager* NewSimulatorManager(HMODULE library);
