// Reads a firmware file by its wide path for a download.
#pragma once

#include <cstdint>
#include <vector>

// False when the file cannot be opened or read. A file much larger than any
// image is read only up to just past the largest one.
bool ReadWholeFile(const wchar_t* path, std::vector<std::uint8_t>& out);
