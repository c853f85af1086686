// VelBench: the Windows side of bench/live-reports.sh. It runs beside VelPanel
// in the same Wine session and answers one command a line on standard input, so
// that a single process, started before anything is measured, does every look-up
// that needs the Windows API. Every answer is one line: "ok key=value ..." or
// "error: why".
//
//   find <s>        waits up to <s> seconds for VelPanel's main window
//   open <s>        clicks the four panel buttons, waits for the four panel windows
//   probe <n>       <n> messages to the Jog & Shuttle window: only its thread gets busy
//   objects         GDI and USER object counts of VelPanel (see ObjectCounts below)
//   mark            takes the library's and the windows' report counts as the baseline
//   thread <p> <t>  the Linux pid and tid of VelPanel's window thread, for Settle
//   settle <s> [f]  polls until the storm is over and the screen is final (see
//                   Settle); f: a file for the samples
//   close <s>       WM_CLOSE to the main window, waits for the process to end
//   selftest        checks, on windows of a child process, that the cross-process
//                   look-ups used here work in this Wine
//   quit
//
// "VelBench --hold" is that child: one window with an update region it never
// paints until told to.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "simulator/ControlPipe.h"
#include "tests/support/GuiObjectCount.h"

namespace {
constexpr int kPanels = 4;
constexpr int kFirstPanelButton = 1000;  // IDC_JOG_BTN; the four are consecutive
const wchar_t* const kPanelTitles[kPanels] = {L"Jog & Shuttle Control Panel", L"Audio Control Panel",
                                              L"Trackball Control Panel", L"Media Bar Control Panel"};
const char* const kPanelNames[kPanels] = {"jog", "audio", "trackball", "mediabar"};
const wchar_t kHandledProp[] = L"VelPanel.ReportsHandled";
const wchar_t kHoldClass[] = L"VelBenchHold";
constexpr std::int64_t kHoldHandled = 4242;

struct HandleCloser {
    void operator()(HANDLE h) const {
        if (h && h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

std::int64_t Now() {
    LARGE_INTEGER t{};
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

double TicksToMs(std::int64_t ticks) {
    LARGE_INTEGER f{};
    QueryPerformanceFrequency(&f);
    return double(ticks) * 1000.0 / double(f.QuadPart);
}

std::int64_t MsToTicks(double ms) {
    LARGE_INTEGER f{};
    QueryPerformanceFrequency(&f);
    return std::int64_t(ms * double(f.QuadPart) / 1000.0);
}

std::string Num(double v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

// ---- the library's side, over its control channel

struct LibraryCounts {
    bool known = false;
    std::int64_t sent[kPanels] = {};
    std::int64_t last[kPanels] = {};  // QueryPerformanceCounter when the last report was handed over
};

// One connection per question: the library serves one client at a time, and
// velsim must get through between two questions.
bool AskLibrary(const std::string& line, std::string& answer) {
    const std::wstring name = ControlPipeName();
    HANDLE raw = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 20 && raw == INVALID_HANDLE_VALUE; ++attempt) {
        raw = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (raw == INVALID_HANDLE_VALUE) {
            if (GetLastError() != ERROR_PIPE_BUSY) return false;
            WaitNamedPipeW(name.c_str(), 500);
        }
    }
    if (raw == INVALID_HANDLE_VALUE) return false;
    UniqueHandle pipe(raw);
    const std::string out = line + "\n";
    DWORD put = 0;
    if (!WriteFile(raw, out.data(), DWORD(out.size()), &put, nullptr) || put != out.size()) return false;
    answer.clear();
    char buf[512];
    for (int reads = 0; reads < 4096; ++reads) {
        DWORD got = 0;
        if (!ReadFile(raw, buf, sizeof buf, &got, nullptr) || got == 0) return false;
        answer.append(buf, got);
        const std::size_t nl = answer.find('\n');
        if (nl != std::string::npos) {
            answer.resize(nl);
            return true;
        }
    }
    return false;
}

bool FieldAfter(const std::string& text, const std::string& key, std::int64_t& value) {
    const std::size_t at = text.find(" " + key + " ");
    if (at == std::string::npos) return false;
    value = std::strtoll(text.c_str() + at + key.size() + 2, nullptr, 10);
    return true;
}

// "ok | jog: ... reports <n> last-report <qpc> | audio: ..." (older libraries
// have no counts: known stays false).
LibraryCounts ReadLibrary() {
    LibraryCounts c;
    std::string answer;
    if (!AskLibrary("status", answer) || answer.compare(0, 2, "ok") != 0) return c;
    c.known = true;
    for (int p = 0; p < kPanels; ++p) {
        const std::string head = std::string("| ") + kPanelNames[p] + ": ";
        const std::size_t from = answer.find(head);
        if (from == std::string::npos) return LibraryCounts{};
        std::string segment = answer.substr(from, answer.find(" |", from + head.size()) - from);
        segment += " ";
        if (!FieldAfter(segment, "reports", c.sent[p]) || !FieldAfter(segment, "last-report", c.last[p]))
            return LibraryCounts{};
    }
    return c;
}

// ---- the windows' side

struct Target {
    HWND main = nullptr;
    DWORD pid = 0;
    UniqueHandle process;
    HWND panel[kPanels] = {};
    UniqueHandle threadStat;  // the window thread's /proc/.../schedstat
};

struct WindowCounts {
    bool has[kPanels] = {};
    std::int64_t handled[kPanels] = {};
};

BOOL CALLBACK FindPropName(HWND, LPWSTR name, HANDLE, ULONG_PTR found) {
    if (!IS_INTRESOURCE(name) && lstrcmpW(name, kHandledProp) == 0) {
        *reinterpret_cast<bool*>(found) = true;
        return FALSE;
    }
    return TRUE;
}

bool ListsHandledProp(HWND wnd) {
    bool found = false;
    EnumPropsExW(wnd, &FindPropName, reinterpret_cast<LPARAM>(&found));
    return found;
}

// GetPropW gives null for a missing property and for a count of 0; the list of
// property names tells the two apart.
bool HasHandledProp(HWND wnd) { return GetPropW(wnd, kHandledProp) || ListsHandledProp(wnd); }

std::int64_t HandledOf(HWND wnd) { return std::int64_t(reinterpret_cast<std::uintptr_t>(GetPropW(wnd, kHandledProp))); }

WindowCounts ReadWindows(const Target& t) {
    WindowCounts c;
    for (int p = 0; p < kPanels; ++p) {
        if (!t.panel[p] || !IsWindow(t.panel[p])) continue;
        c.has[p] = HasHandledProp(t.panel[p]);
        c.handled[p] = HandledOf(t.panel[p]);
    }
    return c;
}

HWND FindOwnedTopLevel(DWORD pid, const wchar_t* title) {
    HWND wnd = nullptr;
    for (int guard = 0; guard < 1000; ++guard) {
        wnd = FindWindowExW(nullptr, wnd, L"#32770", title);
        if (!wnd) return nullptr;
        DWORD owner = 0;
        GetWindowThreadProcessId(wnd, &owner);
        if (pid == 0 || owner == pid) return wnd;
    }
    return nullptr;
}

BOOL CALLBACK CollectChild(HWND wnd, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(wnd);
    return TRUE;
}

// Every window of the panel windows whose painting counts: the panel and all
// its visible descendants (a hidden one never gets WM_PAINT).
std::vector<HWND> PaintedWindows(const Target& t) {
    std::vector<HWND> all;
    for (HWND panel : t.panel) {
        if (!panel) continue;
        all.push_back(panel);
        EnumChildWindows(panel, &CollectChild, reinterpret_cast<LPARAM>(&all));
    }
    all.erase(std::remove_if(all.begin(), all.end(), [](HWND w) { return !IsWindowVisible(w); }), all.end());
    return all;
}

std::string Describe(HWND wnd) {
    wchar_t cls[64] = {};
    GetClassNameW(wnd, cls, 64);
    char buf[160];
    std::snprintf(buf, sizeof buf, "%p/%ls/id%d", static_cast<void*>(wnd), cls, GetDlgCtrlID(wnd));
    return buf;
}

// ---- object counts

// GetGuiResources is a stub in Wine (0, ERROR_CALL_NOT_IMPLEMENTED): the GDI
// objects are counted in the process's own handle table instead.
long CountGdiObjects(HANDLE process) { return CountGdiHandleTable(process); }

struct WindowCensus {
    DWORD pid;
    long count;
};

BOOL CALLBACK CountIfOwned(HWND wnd, LPARAM census) {
    auto* c = reinterpret_cast<WindowCensus*>(census);
    DWORD owner = 0;
    GetWindowThreadProcessId(wnd, &owner);
    if (owner == c->pid) ++c->count;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND wnd, LPARAM census) {
    CountIfOwned(wnd, census);
    EnumChildWindows(wnd, &CountIfOwned, census);
    return TRUE;
}

// The USER objects that can be seen from outside: the process's windows,
// message-only ones included (menus, cursors, icons and hooks cannot be).
long CountWindows(DWORD pid) {
    WindowCensus census{pid, 0};
    EnumWindows(&CountTopLevel, reinterpret_cast<LPARAM>(&census));
    HWND wnd = nullptr;
    for (int guard = 0; guard < 100000; ++guard) {
        wnd = FindWindowExW(HWND_MESSAGE, wnd, nullptr, nullptr);
        if (!wnd) break;
        CountTopLevel(wnd, reinterpret_cast<LPARAM>(&census));
    }
    return census.count;
}

std::string ObjectCounts(HANDLE process, DWORD pid) {
    SetLastError(0);
    const DWORD guiGdi = GetGuiResources(process, GR_GDIOBJECTS);
    const DWORD gdiError = GetLastError();
    SetLastError(0);
    const DWORD guiUser = GetGuiResources(process, GR_USEROBJECTS);
    const DWORD userError = GetLastError();
    DWORD handles = 0;
    const bool haveHandles = GetProcessHandleCount(process, &handles) != 0;
    const long gdi = CountGdiObjects(process);
    std::string s = "gui-gdi=" + std::to_string(guiGdi) + " gui-gdi-error=" + std::to_string(gdiError) +
                    " gui-user=" + std::to_string(guiUser) + " gui-user-error=" + std::to_string(userError);
    s += " gdi-table=" + (gdi < 0 ? std::string("n/a") : std::to_string(gdi));
    s += " windows=" + std::to_string(CountWindows(pid));
    // Wine answers GetProcessHandleCount with success and 0, which no process has.
    s += " handles=" + (haveHandles && handles > 0 ? std::to_string(handles) : std::string("n/a"));
    return s;
}

// ---- commands

std::string Find(Target& t, int seconds) {
    const std::int64_t until = Now() + MsToTicks(seconds * 1000.0);
    while (Now() < until) {
        // The title says when the stand-in library's panels are simulated.
        for (const wchar_t* title : {L"VelPanel - simulated panels", L"VelPanel"})
            if (!t.main) t.main = FindOwnedTopLevel(0, title);
        if (t.main) break;
        Sleep(100);
    }
    if (!t.main) return "error: no VelPanel main window within " + std::to_string(seconds) + " s";
    GetWindowThreadProcessId(t.main, &t.pid);
    t.process.reset(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE, FALSE, t.pid));
    if (!t.process) return "error: cannot open the VelPanel process (error " + std::to_string(GetLastError()) + ")";
    char buf[96];
    std::snprintf(buf, sizeof buf, "ok main=%p pid=%lu", static_cast<void*>(t.main), t.pid);
    return buf;
}

bool AllPanelsFound(Target& t) {
    bool all = true;
    for (int p = 0; p < kPanels; ++p) {
        if (!t.panel[p]) t.panel[p] = FindOwnedTopLevel(t.pid, kPanelTitles[p]);
        if (!t.panel[p] || !IsWindowVisible(t.panel[p])) all = false;
    }
    return all;
}

bool WaitForPanels(Target& t, std::int64_t until) {
    while (Now() < until) {
        if (AllPanelsFound(t)) return true;
        Sleep(50);
    }
    return AllPanelsFound(t);
}

// Side by side, rows from the top left, so that every panel window is wholly
// visible and paints all it would paint on its own (Wine crops an update region
// to what is visible). Returns false when they do not fit on the screen.
bool Arrange(const Target& t) {
    constexpr int kGap = 4;
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    int x = 0, y = 0, rowHeight = 0;
    bool fits = true;
    for (HWND panel : t.panel) {
        RECT r{};
        GetWindowRect(panel, &r);
        const int w = r.right - r.left, h = r.bottom - r.top;
        if (x > 0 && x + w > width) {
            x = 0;
            y += rowHeight + kGap;
            rowHeight = 0;
        }
        if (x + w > width || y + h > height) fits = false;
        SetWindowPos(panel, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        x += w + kGap;
        rowHeight = std::max(rowHeight, h);
    }
    return fits;
}

// A click as the button itself would report it (BM_CLICK); should a button
// ignore that, the notification it would have sent.
std::string Open(Target& t, int seconds) {
    if (!t.main) return "error: find first";
    for (int p = 0; p < kPanels; ++p) {
        HWND button = GetDlgItem(t.main, kFirstPanelButton + p);
        if (!button) return "error: the main window has no button " + std::to_string(kFirstPanelButton + p);
        if (!IsWindowEnabled(button)) return std::string("error: the ") + kPanelNames[p] + " button is disabled";
        PostMessageW(button, BM_CLICK, 0, 0);
    }
    const std::int64_t start = Now();
    std::string how = "BM_CLICK";
    if (!WaitForPanels(t, start + MsToTicks(std::min(seconds, 5) * 1000.0))) {
        how = "WM_COMMAND";
        for (int p = 0; p < kPanels; ++p) {
            if (t.panel[p]) continue;
            HWND button = GetDlgItem(t.main, kFirstPanelButton + p);
            PostMessageW(t.main, WM_COMMAND, MAKEWPARAM(kFirstPanelButton + p, BN_CLICKED),
                         reinterpret_cast<LPARAM>(button));
        }
        if (!WaitForPanels(t, start + MsToTicks(seconds * 1000.0))) {
            std::string missing;
            for (int p = 0; p < kPanels; ++p)
                if (!t.panel[p]) missing += std::string(" ") + kPanelNames[p];
            return "error: panel windows missing:" + missing;
        }
    }
    const bool fits = Arrange(t);
    std::string s = "ok by=" + how + " all-visible=" + (fits ? "yes" : "no");
    for (int p = 0; p < kPanels; ++p) {
        char buf[64];
        std::snprintf(buf, sizeof buf, " %s=%p", kPanelNames[p], static_cast<void*>(t.panel[p]));
        s += buf;
    }
    s += " painted-windows=" + std::to_string(PaintedWindows(t).size());
    return s;
}

std::string Probe(const Target& t, int count) {
    if (!t.panel[0]) return "error: open first";
    const std::int64_t start = Now();
    int answered = 0;
    for (int i = 0; i < count; ++i) {
        DWORD_PTR result = 0;
        if (SendMessageTimeoutW(t.panel[0], WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result)) ++answered;
    }
    return "ok sent=" + std::to_string(answered) + " ms=" + Num(TicksToMs(Now() - start), 0);
}

struct Baseline {
    bool set = false;
    LibraryCounts library;
    WindowCounts windows;
};

std::string Mark(const Target& t, Baseline& base) {
    base.library = ReadLibrary();
    base.windows = ReadWindows(t);
    base.set = true;
    std::string s = std::string("ok library-counts=") + (base.library.known ? "yes" : "no");
    for (int p = 0; p < kPanels; ++p)
        s += std::string(" ") + kPanelNames[p] + "-handled-counter=" + (base.windows.has[p] ? "yes" : "no");
    return s;
}

std::string CountsSince(const Baseline& base, const LibraryCounts& lib, const WindowCounts& win) {
    std::string s;
    for (int p = 0; p < kPanels; ++p) {
        s += std::string(" ") + kPanelNames[p] + "-sent=";
        s += lib.known && base.library.known ? std::to_string(lib.sent[p] - base.library.sent[p]) : "n/a";
        s += std::string(" ") + kPanelNames[p] + "-handled=";
        // A window publishes its count from its first report on: missing at the mark, it was 0.
        s += win.has[p] ? std::to_string(win.handled[p] - base.windows.handled[p]) : "n/a";
    }
    return s;
}

struct Sample {
    std::int64_t at;
    std::int64_t handled[kPanels];
    HWND dirty;             // a window that still had an update region, or null
    std::int64_t threadNs;  // the window thread's CPU time so far, or -1
    std::int64_t looked;    // when the look at the windows was done
};

// True when every window that publishes its count has handled what was sent,
// and nothing is left to paint.
bool Final(const Sample& s, const Baseline& base, const LibraryCounts& lib) {
    if (s.dirty) return false;
    for (int p = 0; p < kPanels; ++p) {
        if (!base.windows.has[p]) continue;
        if (s.handled[p] - base.windows.handled[p] != lib.sent[p] - base.library.sent[p]) return false;
    }
    return true;
}

// The Linux thread's CPU time in ns, from /proc/<pid>/task/<tid>/schedstat
// through Wine's Z: drive; read at offset 0 the kernel writes it afresh.
std::int64_t ThreadCpuNs(HANDLE file) {
    if (!file) return -1;
    char buf[128];
    OVERLAPPED at{};
    DWORD got = 0;
    if (!ReadFile(file, buf, sizeof buf - 1, &got, &at) || got == 0) return -1;
    buf[got] = '\0';
    return std::strtoll(buf, nullptr, 10);
}

std::string Thread(Target& t, unsigned long pid, unsigned long tid) {
    const std::wstring path =
        L"Z:\\proc\\" + std::to_wstring(pid) + L"\\task\\" + std::to_wstring(tid) + L"\\schedstat";
    t.threadStat.reset(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, 0, nullptr));
    if (t.threadStat.get() == INVALID_HANDLE_VALUE) t.threadStat.release();
    const std::int64_t ns = ThreadCpuNs(t.threadStat.get());
    if (ns < 0) {
        t.threadStat.reset();
        return "error: cannot read the thread's schedstat";
    }
    return "ok cpu-ns=" + std::to_string(ns);
}

// Polls about once a millisecond from before the storm's end. Each sample: the
// handled counts of the four panel windows; whether any of them or their
// visible descendants still has an update region (GetUpdateRect across
// processes reads the region Wine's server keeps); the window thread's CPU
// time. Every 100 ms it also asks the library for its counts: the storm is over
// when they stand still and the last report is 300 ms old. It stops when the
// storm is over, the last sample is final and the window thread has been idle
// (less than 0.25 ms of CPU) for 250 ms, or at the time limit.
//
// f, when given, gets one line per sample: its time, the four handled counts,
// 1 when a window had something to paint, the thread's CPU ns, and the time
// the look at the windows was done (times in QueryPerformanceCounter ticks).
//
// Answers, in ms after the library handed over its last report: the final
// state was reached between the last sample that was not final and the next
// one (latency-after-ms, latency-ms); the window thread last ran (20 us or
// more between two samples) between busy-after-ms and busy-until-ms.
std::string Settle(const Target& t, const Baseline& mark, int seconds, const std::string& dump) {
    if (!mark.set) return "error: mark first";
    // Counts that appeared since the mark (with the first report handled) started from 0.
    Baseline base = mark;
    const WindowCounts now = ReadWindows(t);
    for (int p = 0; p < kPanels; ++p) base.windows.has[p] = base.windows.has[p] || now.has[p];
    const std::vector<HWND> windows = PaintedWindows(t);
    const std::int64_t start = Now();
    const std::int64_t until = start + MsToTicks(seconds * 1000.0);
    const std::int64_t statusEvery = MsToTicks(100);
    const std::int64_t quietFor = MsToTicks(300);
    const std::int64_t idleFor = MsToTicks(250);
    constexpr std::int64_t kIdleNs = 250000;
    constexpr std::size_t kMaxSamples = 400000;
    std::vector<Sample> samples;
    samples.reserve(std::min<std::size_t>(kMaxSamples, std::size_t(seconds) * 1200 + 16));
    LibraryCounts lib, previous;
    std::int64_t askedAt = 0;
    bool over = false;
    HWND lastDirty = nullptr;
    std::size_t idleFrom = 0;  // first sample of the current idle stretch
    while (Now() < until && samples.size() < kMaxSamples) {
        Sample s{Now(), {}, nullptr, ThreadCpuNs(t.threadStat.get()), 0};
        for (int p = 0; p < kPanels; ++p) s.handled[p] = base.windows.has[p] ? HandledOf(t.panel[p]) : 0;
        // The window found dirty last time is the likeliest to be dirty now.
        if (lastDirty && GetUpdateRect(lastDirty, nullptr, FALSE)) s.dirty = lastDirty;
        for (std::size_t i = 0; i < windows.size() && !s.dirty; ++i)
            if (GetUpdateRect(windows[i], nullptr, FALSE)) s.dirty = windows[i];
        lastDirty = s.dirty;
        s.looked = Now();
        samples.push_back(s);
        while (samples.back().threadNs - samples[idleFrom].threadNs >= kIdleNs) ++idleFrom;
        if (s.at - askedAt >= statusEvery) {
            askedAt = Now();
            previous = lib;
            lib = ReadLibrary();
            if (!lib.known) return "error: the library gives no report counts (an older TqDvManager.dll?)";
            const std::int64_t newest = *std::max_element(std::begin(lib.last), std::end(lib.last));
            over = previous.known && std::equal(std::begin(lib.sent), std::end(lib.sent), std::begin(previous.sent)) &&
                   Now() - newest >= quietFor;
        }
        const bool idle = s.threadNs < 0 || s.at - samples[idleFrom].at >= idleFor;
        if (over && idle && Final(s, base, lib)) break;
        Sleep(1);
    }
    if (!dump.empty()) {
        if (FILE* f = std::fopen(dump.c_str(), "w")) {
            for (const Sample& s : samples)
                std::fprintf(f, "%lld %lld %lld %lld %lld %d %lld %lld\n", static_cast<long long>(s.at),
                             static_cast<long long>(s.handled[0]), static_cast<long long>(s.handled[1]),
                             static_cast<long long>(s.handled[2]), static_cast<long long>(s.handled[3]),
                             s.dirty ? 1 : 0, static_cast<long long>(s.threadNs), static_cast<long long>(s.looked));
            std::fclose(f);
        }
    }
    const Sample& end = samples.back();
    std::string out = "ok";
    out += over ? " storm-over=yes" : " storm-over=no";
    out += std::string(" final=") + (over && Final(end, base, lib) ? "yes" : "no");
    if (end.dirty) out += " dirty=" + Describe(end.dirty);
    out += CountsSince(base, lib, ReadWindows(t));
    std::int64_t newest = 0;
    for (int p = 0; p < kPanels; ++p)
        if (lib.sent[p] != base.library.sent[p]) newest = std::max(newest, lib.last[p]);
    auto since = [&](std::int64_t at) { return Num(std::max(TicksToMs(at - newest), 0.0), 2); };
    std::size_t firstFinal = samples.size();
    while (firstFinal > 0 && Final(samples[firstFinal - 1], base, lib)) --firstFinal;
    if (over && Final(end, base, lib) && newest != 0) {
        if (firstFinal == 0)
            out += " latency=before-polling";
        else
            out += " latency-after-ms=" + since(samples[firstFinal - 1].at) +
                   " latency-ms=" + since(samples[firstFinal].at);
    }
    // A wake-up that finds nothing to do costs a few microseconds.
    constexpr std::int64_t kRanNs = 20000;
    std::size_t lastRun = samples.size() - 1;
    while (lastRun > 0 && samples[lastRun].threadNs - samples[lastRun - 1].threadNs < kRanNs) --lastRun;
    if (end.threadNs >= 0 && lastRun > 0 && newest != 0)
        out += " busy-after-ms=" + since(samples[lastRun - 1].at) + " busy-until-ms=" + since(samples[lastRun].at);
    const double pollMs = samples.size() > 1 ? TicksToMs(end.at - samples.front().at) / double(samples.size() - 1) : 0;
    out += " samples=" + std::to_string(samples.size()) + " poll-ms=" + Num(pollMs, 2);
    out += " polled-windows=" + std::to_string(windows.size());
    out += " waited-ms=" + Num(TicksToMs(Now() - start), 0);
    return out;
}

std::string Close(Target& t, int seconds) {
    if (!t.main || !t.process) return "error: find first";
    if (IsWindow(t.main)) PostMessageW(t.main, WM_CLOSE, 0, 0);
    const DWORD waited = WaitForSingleObject(t.process.get(), DWORD(seconds) * 1000);
    DWORD code = 0;
    GetExitCodeProcess(t.process.get(), &code);
    if (waited != WAIT_OBJECT_0) return "error: VelPanel still runs " + std::to_string(seconds) + " s after WM_CLOSE";
    return "ok exit-code=" + std::to_string(code);
}

// ---- self-test: a child process holds a window with an unpainted update region

LRESULT CALLBACK HoldProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        BeginPaint(wnd, &ps);
        EndPaint(wnd, &ps);
        return 0;
    }
    return DefWindowProcW(wnd, msg, wp, lp);
}

std::wstring HoldEvent(DWORD parent, const wchar_t* what) {
    return L"VelBenchHold-" + std::to_wstring(parent) + L"-" + what;
}

int Hold(DWORD parent) {
    UniqueHandle ready(OpenEventW(EVENT_MODIFY_STATE, FALSE, HoldEvent(parent, L"ready").c_str()));
    UniqueHandle paint(OpenEventW(SYNCHRONIZE, FALSE, HoldEvent(parent, L"paint").c_str()));
    UniqueHandle quit(OpenEventW(SYNCHRONIZE, FALSE, HoldEvent(parent, L"quit").c_str()));
    if (!ready || !paint || !quit) return 2;
    WNDCLASSW wc{};
    wc.lpfnWndProc = &HoldProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kHoldClass;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassW(&wc);
    HWND wnd = CreateWindowW(kHoldClass, L"VelBench hold", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 120, nullptr,
                             nullptr, wc.hInstance, nullptr);
    if (!wnd) return 3;
    SetPropW(wnd, kHandledProp, reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(kHoldHandled)));
    InvalidateRect(wnd, nullptr, TRUE);
    SetEvent(ready.get());
    // No message loop: the update region stays until we are told to paint.
    if (WaitForSingleObject(paint.get(), 30000) != WAIT_OBJECT_0) return 4;
    UpdateWindow(wnd);
    SetEvent(ready.get());
    WaitForSingleObject(quit.get(), 30000);
    DestroyWindow(wnd);
    return 0;
}

long CountOwnGdi() { return CountGdiObjects(GetCurrentProcess()); }

std::string SelfTest() {
    std::string out = "ok";
    // The GDI table count follows objects made and deleted.
    constexpr int kBrushes = 64;
    const long before = CountOwnGdi();
    std::vector<HBRUSH> brushes;
    for (int i = 0; i < kBrushes; ++i) brushes.push_back(CreateSolidBrush(RGB(i, 0, 0)));
    const long during = CountOwnGdi();
    for (HBRUSH b : brushes) DeleteObject(b);
    const long after = CountOwnGdi();
    out += " gdi-table-brushes=" + std::to_string(kBrushes) + "/" + std::to_string(during - before) + "/" +
           std::to_string(after - before);
    SetLastError(0);
    const DWORD gui = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    out += " own-gui-gdi=" + std::to_string(gui) + " own-gui-gdi-error=" + std::to_string(GetLastError());

    const DWORD self = GetCurrentProcessId();
    UniqueHandle ready(CreateEventW(nullptr, FALSE, FALSE, HoldEvent(self, L"ready").c_str()));
    UniqueHandle paint(CreateEventW(nullptr, TRUE, FALSE, HoldEvent(self, L"paint").c_str()));
    UniqueHandle quit(CreateEventW(nullptr, TRUE, FALSE, HoldEvent(self, L"quit").c_str()));
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring cmd = L"\"" + std::wstring(exe) + L"\" --hold " + std::to_wstring(self);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return "error: cannot start the hold process";
    UniqueHandle child(pi.hProcess), childThread(pi.hThread);
    if (WaitForSingleObject(ready.get(), 20000) != WAIT_OBJECT_0) {
        TerminateProcess(child.get(), 1);
        return "error: the hold process made no window";
    }
    HWND wnd = nullptr;
    for (int guard = 0; guard < 1000; ++guard) {
        wnd = FindWindowExW(nullptr, wnd, kHoldClass, nullptr);
        if (!wnd) break;
        DWORD owner = 0;
        GetWindowThreadProcessId(wnd, &owner);
        if (owner == pi.dwProcessId) break;
    }
    if (!wnd) {
        SetEvent(quit.get());
        return "error: the hold window is not visible from here";
    }
    out += std::string(" dirty-seen=") + (GetUpdateRect(wnd, nullptr, FALSE) ? "yes" : "no");
    out += std::string(" prop-listed=") + (ListsHandledProp(wnd) ? "yes" : "no");
    out += " prop-value=" + std::to_string(HandledOf(wnd)) + "/" + std::to_string(kHoldHandled);
    UniqueHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pi.dwProcessId));
    out += " child-gdi-table=" + std::to_string(process ? CountGdiObjects(process.get()) : -1);
    out += " child-windows=" + std::to_string(CountWindows(pi.dwProcessId));
    SetEvent(paint.get());
    const bool painted = WaitForSingleObject(ready.get(), 20000) == WAIT_OBJECT_0;
    out += std::string(" clean-after-paint=") + (painted && !GetUpdateRect(wnd, nullptr, FALSE) ? "yes" : "no");
    SetEvent(quit.get());
    WaitForSingleObject(child.get(), 20000);
    return out;
}

int ArgInt(std::istringstream& in, int fallback) {
    int v = fallback;
    in >> v;
    return v;
}

std::string Answer(Target& t, Baseline& base, const std::string& verb, std::istringstream& in) {
    if (verb == "find") return Find(t, ArgInt(in, 30));
    if (verb == "open") return Open(t, ArgInt(in, 20));
    if (verb == "probe") return Probe(t, ArgInt(in, 20000));
    if (verb == "thread") {
        unsigned long pid = 0, tid = 0;
        in >> pid >> tid;
        return Thread(t, pid, tid);
    }
    if (verb == "objects") return t.process ? "ok " + ObjectCounts(t.process.get(), t.pid) : "error: find first";
    if (verb == "mark") return Mark(t, base);
    if (verb == "settle") {
        const int seconds = ArgInt(in, 30);
        std::string dump;
        in >> dump;
        return Settle(t, base, seconds, dump);
    }
    if (verb == "close") return Close(t, ArgInt(in, 15));
    if (verb == "selftest") return SelfTest();
    return "error: unknown command " + verb;
}
}  // namespace

int main() {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv && argc == 3 && lstrcmpW(argv[1], L"--hold") == 0) {
        const DWORD parent = DWORD(wcstoul(argv[2], nullptr, 10));
        LocalFree(argv);
        return Hold(parent);
    }
    if (argv) LocalFree(argv);

    Target target;
    Baseline base;
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream in(line);
        std::string verb;
        in >> verb;
        if (verb == "quit") break;
        std::printf("%s\n", Answer(target, base, verb, in).c_str());
        std::fflush(stdout);
    }
    return 0;
}
