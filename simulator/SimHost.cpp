#include "simulator/SimHost.h"

#include <algorithm>
#include <cstdio>

#include "simulator/ControlPipe.h"
#include "simulator/PanelEvents.h"

namespace {
struct ThreadArgs {
    SimHost* host;
    std::shared_ptr<std::atomic<bool>> stop;
    HMODULE module;
};

// A reference on this DLL for a thread to give back when it ends.
HMODULE PinThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&PinThisModule), &module);
    return module;
}

constexpr DWORD kStopWaitMs = 5000;
constexpr int kBusyTickMs = 2;
constexpr int kIdleTickMs = 250;

// Script files named over the control channel are read here, in the library.
bool ReadScript(const std::string& path, std::string& text, std::string& error) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
    if (n <= 0) {
        error = "bad path";
        return false;
    }
    std::wstring wide(std::size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, &wide[0], n);
    HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = "cannot open (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) != 0 && size.QuadPart <= (1 << 20);
    if (ok) {
        text.resize(std::size_t(size.QuadPart));
        DWORD got = 0;
        ok = text.empty() || (ReadFile(file, &text[0], DWORD(text.size()), &got, nullptr) && got == text.size());
    }
    CloseHandle(file);
    if (!ok) error = "cannot read (larger than 1 MiB?)";
    return ok;
}
}  // namespace

SimHost& SimHost::Get() {
    // Never destroyed: it must outlive every object, and its teardown would
    // otherwise run under the loader lock.
    static SimHost* host = new SimHost;
    return *host;
}

SimHost::SimHost() : m_sim(m_clock), m_protocol(m_sim, &ReadScript) {}

void SimHost::AddObject() {
    std::lock_guard<std::mutex> life(m_lifeMu);
    bool start = false;
    {
        std::lock_guard<std::mutex> lock(m_mu);
        start = m_live++ == 0;
        if (start) StartLocked();
    }
    if (start) m_pipe.Start(ControlPipeName(), [this](const std::string& line) { return m_protocol.Execute(line); });
}

void SimHost::StartLocked() {
    m_delivery.stop = std::make_shared<std::atomic<bool>>(false);
    auto* args = new ThreadArgs{this, m_delivery.stop, PinThisModule()};
    m_delivery.thread = CreateThread(nullptr, 0, &SimHost::DeliveryMain, args, 0, &m_delivery.id);
    if (!m_delivery.thread) {
        std::fprintf(stderr, "TqDvManager: cannot start the panel thread (error %lu)\n", GetLastError());
        if (args->module) FreeLibrary(args->module);
        delete args;
    }
}

void SimHost::StopWorker(Worker& worker, void (*wake)()) {
    if (!worker.thread) return;
    worker.stop->store(true);
    wake();
    // A thread cannot wait for itself: if the last reference went away inside a
    // callback, the thread sees the flag once the callback returns.
    if (worker.id != GetCurrentThreadId()) {
        if (WaitForSingleObject(worker.thread, kStopWaitMs) != WAIT_OBJECT_0) {
            std::fprintf(stderr, "TqDvManager: a panel thread did not stop in time (is a callback blocked?)\n");
        }
    }
    CloseHandle(worker.thread);
    worker = Worker{};
}

void SimHost::DropObject() {
    std::lock_guard<std::mutex> life(m_lifeMu);
    Worker old;
    {
        std::lock_guard<std::mutex> lock(m_mu);
        if (--m_live != 0) return;
        old = m_delivery;
        m_delivery = Worker{};
    }
    m_pipe.Stop();
    StopWorker(old, [] { SimHost::Get().m_sim.Wake(); });
}

void SimHost::Advised(PanelEvents* events) {
    {
        std::lock_guard<std::mutex> lock(m_mu);
        if (std::find(m_advised.begin(), m_advised.end(), events) == m_advised.end()) m_advised.push_back(events);
        m_greet.push_back(events);
    }
    m_sim.Wake();
}

void SimHost::Unadvised(PanelEvents* events) {
    std::lock_guard<std::mutex> lock(m_mu);
    m_advised.erase(std::remove(m_advised.begin(), m_advised.end(), events), m_advised.end());
    m_greet.erase(std::remove(m_greet.begin(), m_greet.end(), events), m_greet.end());
}

DWORD WINAPI SimHost::DeliveryMain(LPVOID param) {
    auto* args = static_cast<ThreadArgs*>(param);
    const HMODULE module = args->module;
    args->host->DeliveryLoop(*args->stop);
    delete args;
    if (module) FreeLibraryAndExitThread(module, 0);
    return 0;
}

void SimHost::DeliveryLoop(const std::atomic<bool>& stop) {
    while (!stop.load()) {
        m_protocol.Tick();
        m_sim.Tick();
        std::vector<PanelEvents*> greet, targets;
        {
            std::lock_guard<std::mutex> lock(m_mu);
            greet.swap(m_greet);
            targets = m_advised;
        }
        for (PanelEvents* e : greet) e->DeliverConnection(m_sim.Connected(e->Panel()) ? 1 : 0);
        for (const SimEvent& ev : m_sim.TakeEvents()) {
            for (PanelEvents* e : targets) {
                if (stop.load()) return;
                if (ev.panel == -1 || e->Panel() == ev.panel) e->Deliver(ev);
            }
        }
        // Tick often while something runs on the clock; otherwise sleep until
        // an event or a nudge arrives (the idle library costs next to nothing).
        const bool timed = m_sim.TimedWorkPending() || m_protocol.ScriptRunning();
        m_sim.WaitForEvents(timed ? kBusyTickMs : kIdleTickMs);
    }
}
