#include "tests/e2e/LiveControl.h"

#include <windows.h>

#include "tests/support/ControlChannel.h"
#include "tests/support/TestWindows.h"

namespace {
std::wstring PipeName() { return L"VelPanelLive-" + std::to_wstring(::GetCurrentProcessId()); }
}  // namespace

void UseOwnControlPipe() { ::SetEnvironmentVariableW(L"VELPANELSIM_PIPE", PipeName().c_str()); }

std::string Control(const std::string& line) { return SendControlLine(L"\\\\.\\pipe\\" + PipeName(), line); }

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
    for (int i = 0; i < timeoutMs / 10; ++i) {
        PumpMessages();
        if (done()) return true;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return done();
}
