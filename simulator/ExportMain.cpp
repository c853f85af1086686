// The library's one export and its entry point.
#include <windows.h>

#include <new>

#include "simulator/DeviceManager.h"
#include "simulator/SimHost.h"

extern "C" __declspec(dllexport) ITqDeviceManager* CreateDeviceManager() {
    SimHost& host = SimHost::Get();
    host.AddObject();
    DeviceManager* manager = new (std::nothrow) DeviceManager;
    if (!manager) host.DropObject();
    return manager;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    // Nothing here may wait for a thread: the loader lock is held. The threads
    // keep this DLL loaded while they run, so there is nothing to stop either.
    return TRUE;
}
