// Prints what reported movements and key changes cost on the widgets' drawing
// paths: microseconds per call and how much drawing 1000 calls take, for three
// ways the calls can meet the message loop (all before one pump, a pump every
// 16 calls as at 1000 reports/s and 60 frames/s, a pump after every call).
// Figures only; nothing here passes or fails on time.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>

#include "tests/widgets/WidgetTestSupport.h"
#include "widgets/CDialCtrl.h"
#include "widgets/CShapedButton.h"

namespace {
using widgettest::CountingKey;

// Window DCs the widgets take: this program's imports of GetDC and BeginPaint
// are pointed at counters. The system's own controls take theirs inside
// user32 and are counted by their drawing instead (CountingKey).
int g_getDC = 0;
int g_beginPaint = 0;
decltype(&::GetDC) g_realGetDC = nullptr;
decltype(&::BeginPaint) g_realBeginPaint = nullptr;

HDC WINAPI CountGetDC(HWND hwnd) {
    ++g_getDC;
    return g_realGetDC(hwnd);
}
HDC WINAPI CountBeginPaint(HWND hwnd, LPPAINTSTRUCT ps) {
    ++g_beginPaint;
    return g_realBeginPaint(hwnd, ps);
}

// Replaces the import of `name` from user32 in this program's import table.
template <class Proc>
bool PatchImport(const char* name, Proc replacement, Proc* original) {
    auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleW(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name; ++imp) {
        if (_stricmp(reinterpret_cast<const char*>(base + imp->Name), "user32.dll") != 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), name) != 0) continue;
            DWORD old = 0;
            ::VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &old);
            *original = reinterpret_cast<Proc>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            ::VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, old, &old);
            return true;
        }
    }
    return false;
}

class Host : public CWnd {};

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void Measure(const char* what, int n, const std::function<void(int)>& step) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < n; ++i) step(i);
    Pump();
    const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
    std::printf("%-34s %8d calls  %9.1f us/call  %9.0f calls/s\n", what, n, took.count() / n, n * 1e6 / took.count());
}

// 1000 calls with a pump after every `pumpEvery` calls (0: one pump at the end);
// `work` counts drawing, split into what the calls do at once and what waits
// for the pumps. The time is the best of a few rounds: the machine is shared.
void MeasurePaced(const char* what, int pumpEvery, const std::function<void(int)>& step,
                  const std::function<int()>& work, bool ownPaints) {
    const int n = 1000;
    const int rounds = 7;
    double best = 1e300;
    int inCalls = 0, inPumps = 0, paints = 0;
    for (int round = 0; round < rounds; ++round) {
        Pump();
        inCalls = inPumps = 0;
        const int paint0 = g_beginPaint;
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < n; ++i) {
            int w = work();
            step(i);
            inCalls += work() - w;
            if ((pumpEvery > 0 && (i + 1) % pumpEvery == 0) || i + 1 == n) {
                w = work();
                Pump();
                inPumps += work() - w;
            }
        }
        const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count() / n);
        paints = g_beginPaint - paint0;
    }
    char paintCount[16] = "-";
    if (ownPaints) std::snprintf(paintCount, sizeof paintCount, "%d", paints);
    std::printf("%-16s pump %-5s %8.1f us/call %7d in calls %7d in pumps %6s WM_PAINT\n", what,
                pumpEvery == 0   ? "once"
                : pumpEvery == 1 ? "each"
                                 : "/16",
                best, inCalls, inPumps, paintCount);
}

}  // namespace

int main() {
    // A program that never calls one of them does not import it: that count stays 0.
    if (!PatchImport("GetDC", &CountGetDC, &g_realGetDC)) std::printf("(GetDC never called)\n");
    if (!PatchImport("BeginPaint", &CountBeginPaint, &g_realBeginPaint)) std::printf("(BeginPaint never called)\n");
    Host host;
    if (!host.Create(nullptr, L"bench", WS_POPUP | WS_VISIBLE, RECT{0, 0, 400, 400}, nullptr, 0)) return 1;
    CDialCtrl jog(177), ring(208);
    jog.Create(nullptr, nullptr, WS_VISIBLE, RECT{71, 171, 210, 310}, &host, 1062);
    ring.Create(nullptr, nullptr, WS_VISIBLE, RECT{57, 54, 250, 247}, &host, 1062);
    ring.SetEllipticRegion(RECT{0, 0, 193, 193});
    jog.SetMode(dial::Mode::kJog);
    ring.SetMode(dial::Mode::kRing);
    jog.Rotate(0);
    ring.Rotate(0);
    CountingKey key;
    key.Create(nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | BS_OWNERDRAW, RECT{300, 20, 338, 58}, &host, 104);
    key.LoadBitmaps(134, 132);
    Pump();

    const int n = 5000;
    Measure("PaintSkin 140 x 140", n, [&](int) { jog.PaintSkin(); });
    Measure("Rotate JOG (skin + mark)", n, [&](int i) { jog.Rotate(i % 7 - 3); });
    Measure("Rotate SHUTTLE position", n, [&](int i) {
        jog.SetMode(dial::Mode::kShuttle);
        jog.Rotate(i % 600 - 300);
    });
    Measure("Rotate ring (skin, mark, ball)", n, [&](int i) { ring.Rotate(i % 5 - 2); });
    Measure("SetBallMark", n, [&](int i) { ring.SetBallMark(i % 101 - 50, 50 - i % 101); });
    Measure("dial::MarkAt arithmetic", n * 100, [&](int i) {
        volatile int sink = dial::MarkAt({0, 46}, {0, 30}, i % 720).outer.x;
        (void)sink;
    });

    // Dials: window DCs taken (GetDC, BeginPaint). The key: its drawings; the
    // system button begins its paints inside user32, where they are not counted.
    std::printf("\n1000 calls each, best of 7 rounds; dials: window DCs taken, key: its drawings\n");
    const auto dcs = [] { return g_getDC + g_beginPaint; };
    jog.SetMode(dial::Mode::kJog);
    for (int pace : {0, 16, 1})
        MeasurePaced(
            "Rotate JOG", pace, [&](int i) { jog.Rotate(i % 7 - 2); }, dcs, true);
    for (int pace : {0, 16, 1})
        MeasurePaced(
            "Rotate ring", pace, [&](int i) { ring.Rotate(i % 5 - 2); }, dcs, true);
    for (int pace : {0, 16, 1})
        MeasurePaced(
            "BM_SETSTATE key", pace, [&](int i) { key.SendMessage(BM_SETSTATE, i % 2); }, [&] { return key.draws; },
            false);
    return 0;
}
