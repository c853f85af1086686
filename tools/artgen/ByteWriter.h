#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Little-endian byte sink for the file formats (BMP, ICO, AVI).
class ByteWriter {
public:
    void U8(uint32_t v);
    void U16(uint32_t v);
    void U32(uint32_t v);
    void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
    void FourCc(const char (&code)[5]);
    void Bytes(const std::vector<uint8_t>& data);
    // Overwrites four bytes already written (chunk sizes known only later).
    void PatchU32(size_t offset, uint32_t v);

    size_t Size() const { return m_data.size(); }
    const std::vector<uint8_t>& Data() const { return m_data; }

    static uint32_t ReadU32(const std::vector<uint8_t>& data, size_t offset);
    static uint16_t ReadU16(const std::vector<uint8_t>& data, size_t offset);
    static bool WriteFile(const std::string& path, const std::vector<uint8_t>& data);

private:
    std::vector<uint8_t> m_data;
};
