// The library's process-wide part: the one set of simulated panels, the
// delivery thread that makes every callback, the registry of advised event
// interfaces and the control channel. The threads run while any object handed out by the library is
// alive; each thread holds a reference on this DLL, so FreeLibrary can never
// pull the code from under it, and nothing is ever joined inside DllMain.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "simulator/PipeServer.h"
#include "simulator/model/ControlProtocol.h"
#include "simulator/model/PanelSimulator.h"
#include "simulator/model/SteadyClock.h"

class PanelEvents;

class SimHost {
public:
    static SimHost& Get();

    PanelSimulator& Simulator() { return m_sim; }
    ControlProtocol& Protocol() { return m_protocol; }

    // An object was handed out / its last reference went away.
    void AddObject();
    void DropObject();

    void Advised(PanelEvents* events);
    void Unadvised(PanelEvents* events);

private:
    struct Worker {
        HANDLE thread = nullptr;
        DWORD id = 0;
        std::shared_ptr<std::atomic<bool>> stop;
    };

    SimHost();
    void StartLocked();
    static DWORD WINAPI DeliveryMain(LPVOID param);
    void DeliveryLoop(const std::atomic<bool>& stop);
    static void StopWorker(Worker& worker, void (*wake)());

    SteadyClock m_clock;
    PanelSimulator m_sim;
    ControlProtocol m_protocol;
    PipeServer m_pipe;
    std::mutex m_lifeMu;  // serialises starting and stopping the threads
    std::mutex m_mu;
    int m_live = 0;
    std::vector<PanelEvents*> m_advised;
    std::vector<PanelEvents*> m_greet;  // advised, connection state not yet told
    Worker m_delivery;
};
