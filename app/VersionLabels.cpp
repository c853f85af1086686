#include "app/VersionLabels.h"

#include <cwchar>

std::wstring FormatFirmwareVersion(const PanelVersionInfo& info) {
    const unsigned major = info.bytes[11];
    const unsigned build = info.bytes[10] * 256u + info.bytes[9] * 16u + info.bytes[8];
    wchar_t text[64];
    std::swprintf(text, sizeof text / sizeof *text, L"Ver %u Build %x", major, build);
    return text;
}

std::wstring FormatDriverVersion(const PanelVersionInfo& info) {
    const unsigned major = info.bytes[7];
    const unsigned minor = info.bytes[6] * 256u + info.bytes[5];
    const unsigned build = info.bytes[4];
    wchar_t text[64];
    std::swprintf(text, sizeof text / sizeof *text, L"Ver %u.%u Build %u", major, minor, build);
    return text;
}
