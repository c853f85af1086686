// Reading files in the Windows tests.
#pragma once

#include <optional>
#include <string>

// A file's bytes, read while another process may still be writing it; nothing
// when it can't be opened.
std::optional<std::string> ReadWholeFile(const std::wstring& path);
