// The stand-in device library's control channel, as the end-to-end tests use
// it: one channel of this test process's own, so tests can run side by side.
#pragma once

#include <functional>
#include <string>

// Names this process's channel; call before the library is first loaded.
void UseOwnControlPipe();

// Sends one control line ("press jog F1") and returns the answer ("ok", ...).
std::string Control(const std::string& line);

// Pumps the window thread until done() holds; false after a generous guard.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 20000);
