#include "recorder/RecorderSession.h"

#include <cstdio>
#include <cstring>

#include "contract/PanelIids.h"
#include "recorder/format/RecordingFormat.h"

RecorderSession::RecorderSession(RecordingWriter::Output output, const std::vector<std::string>& header,
                                 std::uint64_t capBytes)
    : m_writer(
          std::move(output),
          [this] {
              LARGE_INTEGER now;
              QueryPerformanceCounter(&now);
              return double(now.QuadPart - m_start.QuadPart) * 1000.0 / double(m_frequency.QuadPart);
          },
          capBytes) {
    QueryPerformanceFrequency(&m_frequency);
    QueryPerformanceCounter(&m_start);
    m_writer.Start(header);
}

void RecorderSession::Event(const std::string& body) { m_writer.Event(GetCurrentThreadId(), body); }

std::string RecorderSession::NewName(char kind) {
    const int slot = kind >= 'A' && kind <= 'Z' ? kind - 'A' : 25;
    return std::string(1, kind) + std::to_string(++m_names[slot]);
}

std::pair<void*, std::string> RecorderSession::Find(const void* real, int kind) {
    const auto it = m_table.find({real, kind});
    return it == m_table.end() ? std::pair<void*, std::string>() : it->second;
}

void RecorderSession::Remember(const void* real, int kind, void* wrapper, const std::string& name) {
    m_table[{real, kind}] = {wrapper, name};
}

void RecorderSession::Forget(const void* real, int kind) { m_table.erase({real, kind}); }

std::string RecorderSession::GuidText(const GUID& g) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned long>(g.Data1), unsigned(g.Data2), unsigned(g.Data3), unsigned(g.Data4[0]),
                  unsigned(g.Data4[1]), unsigned(g.Data4[2]), unsigned(g.Data4[3]), unsigned(g.Data4[4]),
                  unsigned(g.Data4[5]), unsigned(g.Data4[6]), unsigned(g.Data4[7]));
    return buf;
}

std::string RecorderSession::InterfaceText(const GUID* iid) {
    if (!iid) return "null";
    for (int p = 0; p < kPanelCount; ++p) {
        if (SameIid(*iid, *kDeviceIids[p])) return std::string(RecordingFormat::PanelName(p)) + ".device";
        if (SameIid(*iid, *kEventIids[p])) return std::string(RecordingFormat::PanelName(p)) + ".events";
    }
    return GuidText(*iid);
}

std::string RecorderSession::PanelText(const GUID* iid) {
    if (!iid) return "null";
    const int panel = PanelOfEventIid(iid);
    return panel >= 0 ? RecordingFormat::PanelName(panel) : GuidText(*iid);
}

std::string RecorderSession::PathText(const wchar_t* path) {
    if (!path) return "null";
    const int n = WideCharToMultiByte(CP_UTF8, 0, path, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(std::size_t(n > 0 ? n : 1), '\0');
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, path, -1, &utf8[0], n, nullptr, nullptr);
    utf8.resize(std::strlen(utf8.c_str()));
    std::string out;
    for (const char ch : utf8) {
        const auto u = static_cast<unsigned char>(ch);
        if (u <= 0x20 || u == 0x7f || ch == '%') {
            char esc[4];
            std::snprintf(esc, sizeof esc, "%%%02X", unsigned(u));
            out += esc;
        } else {
            out += ch;
        }
    }
    return out.empty() ? "%00" : out;
}

std::string RecorderSession::BlockText(const void* block, std::size_t size) {
    if (!block) return "null";
    return "=" + RecordingFormat::TrimmedHex(static_cast<const std::uint8_t*>(block), size);
}
