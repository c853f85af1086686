// The Panel Check keeps its texts in UTF-8, as its reports are written; the
// windows show them in UTF-16.
#pragma once

#include <string>

std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);
