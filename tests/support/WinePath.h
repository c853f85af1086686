#pragma once

#include <string>

// A build path (a Unix path) as Wine's programs see it: the Unix root is drive Z:.
std::wstring WinePath(const char* unixPath);
