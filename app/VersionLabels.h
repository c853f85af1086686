// Texts of the main window's version columns, from a panel's PanelVersionInfo.
#pragma once

#include <string>

#include "contract/PanelBlocks.h"

// "Ver <byte 11> Build <hex of byte10*256 + byte9*16 + byte8>": bytes 10, 9, 8 are the
// build number's hexadecimal digits, most significant first. The sum is formed the
// same way when a "digit" is above 15, so such bytes carry into the next digit.
std::wstring FormatFirmwareVersion(const PanelVersionInfo& info);

// "Ver <byte 7>.<little-endian bytes 5-6> Build <byte 4>".
std::wstring FormatDriverVersion(const PanelVersionInfo& info);
