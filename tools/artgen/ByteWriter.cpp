#include "tools/artgen/ByteWriter.h"

#include <fstream>

void ByteWriter::U8(uint32_t v) { m_data.push_back(static_cast<uint8_t>(v & 0xFFu)); }

void ByteWriter::U16(uint32_t v) {
    U8(v);
    U8(v >> 8);
}

void ByteWriter::U32(uint32_t v) {
    U16(v);
    U16(v >> 16);
}

void ByteWriter::FourCc(const char (&code)[5]) {
    for (int i = 0; i < 4; ++i) U8(static_cast<uint8_t>(code[i]));
}

void ByteWriter::Bytes(const std::vector<uint8_t>& data) { m_data.insert(m_data.end(), data.begin(), data.end()); }

void ByteWriter::PatchU32(size_t offset, uint32_t v) {
    for (size_t i = 0; i < 4; ++i) m_data.at(offset + i) = static_cast<uint8_t>((v >> (8 * i)) & 0xFFu);
}

uint32_t ByteWriter::ReadU32(const std::vector<uint8_t>& data, size_t offset) {
    return uint32_t(data.at(offset)) | (uint32_t(data.at(offset + 1)) << 8) | (uint32_t(data.at(offset + 2)) << 16) |
           (uint32_t(data.at(offset + 3)) << 24);
}

uint16_t ByteWriter::ReadU16(const std::vector<uint8_t>& data, size_t offset) {
    return uint16_t(data.at(offset) | (data.at(offset + 1) << 8));
}

bool ByteWriter::WriteFile(const std::string& path, const std::vector<uint8_t>& data) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
    return bool(out);
}
