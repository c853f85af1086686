// SHA-256, for the digest of each firmware file the service report lists: the
// office compares it with the image it sent. Small and window-free.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class Sha256 {
public:
    Sha256();
    void Update(const void* data, std::size_t size);
    // The digest as 64 lowercase hexadecimal digits; the object is spent after.
    std::string HexDigest();

private:
    void Block(const std::uint8_t* block);

    std::uint32_t m_state[8];
    std::uint8_t m_buffer[64];
    std::size_t m_buffered = 0;
    std::uint64_t m_length = 0;  // bytes so far
};
