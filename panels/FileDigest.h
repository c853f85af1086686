// Size and SHA-256 of a file, read once through.
#pragma once

#include <cstdint>
#include <string>

struct FileDigest {
    std::uint64_t size = 0;
    std::string sha256;  // empty when the file could not be read
};

FileDigest DigestFile(const std::wstring& path);
