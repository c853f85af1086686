// A file path made to fit a width by leaving out folders from its middle: the
// Copying window must show which file goes into the panel, and a long path cut
// at its end would hide exactly the file's name.
#pragma once

#include <functional>
#include <string>

// The path itself when measure says it fits width; otherwise its root (drive
// or share), "...", and as many of its last parts as fit ("C:\...\fw\jog.rom"),
// at least the file name ("...\jog.rom") even when that alone is too wide.
std::wstring CompactPath(const std::wstring& path, int width,
                         const std::function<int(const std::wstring& text)>& measure);
