// The stand-in device library's control channel as the tests speak it.
#pragma once

#include <string>

// Sends one control line ("press jog F1") over the named pipe and returns the
// answer line ("ok", "error: ..."), or "no pipe" when no library serves it.
// Waits a while for the pipe, whose serving thread may still be starting.
std::string SendControlLine(const std::wstring& pipeName, const std::string& line);
