// The maker's device-manager library as this program sees it. Only the slot order
// matters across the DLL boundary: every interface is a table of virtual
// operations, and the maker's DLL must drop in unchanged. Slots the program never
// calls are kept as placeholders so that the named ones sit where they belong.
#pragma once

#include <windows.h>

#include <cstdint>

#include "contract/PanelBlocks.h"
#include "contract/PanelMode.h"

using TqStatus = std::int32_t;  // negative is failure

class ITqEventSink;

class ITqDeviceManager {
public:
    virtual TqStatus GetInterface(const GUID* iid, void** ppInterface) = 0;  // 1
    virtual TqStatus Reserved2() = 0;                                        // 2: never called
    virtual TqStatus Release() = 0;                                          // 3
protected:
    ~ITqDeviceManager() = default;
};

// Event interface, the same for all four panels.
class ITqPanelEvents {
public:
    virtual TqStatus Reserved1() = 0;                             // 1: reference counting, never called
    virtual TqStatus Reserved2() = 0;                             // 2: never called
    virtual TqStatus Release() = 0;                               // 3
    virtual TqStatus Advise(ITqEventSink* sink) = 0;              // 4
    virtual TqStatus Unadvise() = 0;                              // 5
    virtual TqStatus Reserved6() = 0;                             // 6
    virtual TqStatus GetVersionInfo(PanelVersionInfo* info) = 0;  // 7
protected:
    ~ITqPanelEvents() = default;
};

// The part every device interface shares: reference counting and the download.
class ITqPanelDevice {
public:
    virtual TqStatus Reserved1() = 0;                                       // 1
    virtual TqStatus Reserved2() = 0;                                       // 2
    virtual TqStatus Release() = 0;                                         // 3
    virtual TqStatus DownloadProgram(wchar_t* path, std::int32_t one) = 0;  // 4
    virtual TqStatus FinishDownload() = 0;                                  // 5
protected:
    ~ITqPanelDevice() = default;
};

class ITqJogShuttleDevice : public ITqPanelDevice {
public:
    virtual TqStatus SetDialMode(std::uint8_t* block60) = 0;          // 6
    virtual TqStatus Reserved7() = 0;                                 // 7
    virtual TqStatus Reserved8() = 0;                                 // 8
    virtual TqStatus SetMode(std::int32_t mode) = 0;                  // 9
    virtual TqStatus GetDeviceStatus(PanelDeviceStatus* status) = 0;  // 10
protected:
    ~ITqJogShuttleDevice() = default;
};

class ITqAudioDevice : public ITqPanelDevice {
public:
    virtual TqStatus Reserved6() = 0;                                                        // 6
    virtual TqStatus SetLed(std::int32_t led, std::uint8_t state) = 0;                       // 7
    virtual TqStatus SetFader(std::int32_t fader, std::int32_t held, std::uint8_t pos) = 0;  // 8
    virtual TqStatus Reserved9() = 0;                                                        // 9
    virtual TqStatus Reserved10() = 0;                                                       // 10
    virtual TqStatus Reserved11() = 0;                                                       // 11
    virtual TqStatus SetMode(std::int32_t mode) = 0;                                         // 12
    virtual TqStatus GetDeviceStatus(PanelDeviceStatus* status) = 0;                         // 13
    virtual TqStatus GetState(PanelStatus* state) = 0;                                       // 14
protected:
    ~ITqAudioDevice() = default;
};

// Trackball and Media Bar share one layout.
class ITqLedPanelDevice : public ITqPanelDevice {
public:
    virtual TqStatus Reserved6() = 0;                                   // 6
    virtual TqStatus SetLed(std::int32_t led, std::uint8_t state) = 0;  // 7
    virtual TqStatus SetMode(std::int32_t mode) = 0;                    // 8
    virtual TqStatus GetDeviceStatus(PanelDeviceStatus* status) = 0;    // 9
protected:
    ~ITqLedPanelDevice() = default;
};

class ITqTrackballDevice : public ITqLedPanelDevice {
protected:
    ~ITqTrackballDevice() = default;
};

class ITqMediaBarDevice : public ITqLedPanelDevice {
protected:
    ~ITqMediaBarDevice() = default;
};

// The program's callback object, called by the library (possibly on its own thread).
// The destructor comes last so it never shifts the three callbacks.
class ITqEventSink {
public:
    virtual TqStatus OnPanelReport(const GUID* eventIid, const PanelChanges* changes, const PanelStatus* status) = 0;
    virtual TqStatus OnPanelConnection(const GUID* eventIid, std::int32_t state) = 0;
    virtual TqStatus OnPanelProgress(std::int32_t first, std::int32_t value) = 0;
    virtual ~ITqEventSink() = default;
};

// The one export of TqDvManager.dll.
using PFN_CreateDeviceManager = ITqDeviceManager* (*)();
constexpr const char kCreateDeviceManagerExport[] = "CreateDeviceManager";
constexpr const wchar_t kDeviceLibraryName[] = L"TqDvManager.dll";
