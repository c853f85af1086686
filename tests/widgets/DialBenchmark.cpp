// Prints what one reported movement costs on the dial's drawing paths: a skin
// copy and a line (jog), two skin copies, a line and a circle (ring), and the
// plain skin copy. Figures only; nothing here passes or fails on time.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <functional>

#include "CDialCtrl.h"

namespace {

class Host : public CWnd {};

void Measure(const char* what, int n, const std::function<void(int)>& step) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < n; ++i) step(i);
    const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
    std::printf("%-34s %8d calls  %9.1f us/call  %9.0f calls/s\n", what, n, took.count() / n, n * 1e6 / took.count());
}

}  // namespace

int main() {
    Host host;
    if (!host.Create(nullptr, L"bench", WS_POPUP | WS_VISIBLE, RECT{0, 0, 400, 400}, nullptr, 0)) return 1;
    CDialCtrl jog(177), ring(208);
    jog.Create(nullptr, nullptr, WS_VISIBLE, RECT{71, 171, 210, 310}, &host, 1062);
    ring.Create(nullptr, nullptr, WS_VISIBLE, RECT{57, 54, 250, 247}, &host, 1062);
    ring.SetEllipticRegion(RECT{0, 0, 193, 193});
    jog.m_nMode = dial::kModeJog;
    ring.m_nMode = dial::kModeRing;
    jog.Rotate(0);
    ring.Rotate(0);

    const int n = 5000;
    Measure("PaintSkin 140 x 140", n, [&](int) { jog.PaintSkin(); });
    Measure("Rotate JOG (skin + mark)", n, [&](int i) { jog.Rotate(i % 7 - 3); });
    Measure("Rotate SHUTTLE position", n, [&](int i) { jog.m_nMode = dial::kModeShuttle; jog.Rotate(i % 600 - 300); });
    Measure("Rotate ring (2 skins, mark, ball)", n, [&](int i) { ring.Rotate(i % 5 - 2); });
    Measure("SetBallMark", n, [&](int i) { ring.SetBallMark(i % 101 - 50, 50 - i % 101); });
    Measure("dial::MarkAt arithmetic", n * 100, [&](int i) {
        volatile int sink = dial::MarkAt({0, 46}, {0, 30}, i % 720).outer.x;
        (void)sink;
    });
    return 0;
}
