#include "panels/ServiceReportFiles.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdio>

#include "framework/AfxMessageBox.h"
#include "framework/CFileDialog.h"
#include "panels/CReportOperatorDlg.h"
#include "panels/ServiceReport.h"
#include "panels/Utf8.h"
#include "res/version.h"

namespace {
std::string Stamp(const SYSTEMTIME& t, const char* format) {
    char text[64];
    std::snprintf(text, sizeof text, format, t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
    return text;
}

ReportHeader HeaderNow(const CheckSession& session) {
    ReportHeader header;
    header.toolVersion = VEL_VERSION_TEXT;
    wchar_t pc[MAX_COMPUTERNAME_LENGTH + 1] = L"";
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    if (::GetComputerNameW(pc, &size)) header.pcName = WideToUtf8(pc);
    header.operatorName = session.operatorName;
    header.ticket = session.ticket;
    SYSTEMTIME utc{}, local{};
    ::GetSystemTime(&utc);
    ::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
    header.utc = Stamp(utc, "%04u-%02u-%02uT%02u:%02u:%02uZ");
    // The offset from the two clocks as read, so that it is the one in force.
    FILETIME u{}, l{};
    ::SystemTimeToFileTime(&utc, &u);
    ::SystemTimeToFileTime(&local, &l);
    const auto ticks = [](const FILETIME& f) {
        return static_cast<long long>((static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime);
    };
    const long long minutes = (ticks(l) - ticks(u)) / 600000000LL;
    char offset[16];
    std::snprintf(offset, sizeof offset, " UTC%c%02lld:%02lld", minutes < 0 ? '-' : '+', (minutes < 0 ? -minutes : minutes) / 60,
                  (minutes < 0 ? -minutes : minutes) % 60);
    header.local = Stamp(local, "%04u-%02u-%02u %02u:%02u:%02u") + offset;
    return header;
}

bool WriteFileText(const std::wstring& path, const std::string& text) {
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file) return false;
    const bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && ok;
}

std::wstring JsonPathBeside(const std::wstring& htmlPath) {
    const size_t slash = htmlPath.find_last_of(L"\\/");
    const size_t dot = htmlPath.find_last_of(L'.');
    const bool hasExtension = dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash);
    return (hasExtension ? htmlPath.substr(0, dot) : htmlPath) + L".json";
}

// Operator and ticket once a run, offered from the user's last answers.
bool AskOperator(CWnd* parent, CheckSession& session) {
    if (session.operatorAsked) return true;
    CReportOperatorDlg ask(parent);
    CReportOperatorDlg::Recall(ask.operatorName, ask.ticket);
    if (ask.DoModal() != IDOK) return false;
    CReportOperatorDlg::Remember(ask.operatorName, ask.ticket);
    session.operatorName = WideToUtf8(ask.operatorName);
    session.ticket = WideToUtf8(ask.ticket);
    session.operatorAsked = true;
    return true;
}
}  // namespace

std::wstring DefaultReportFolder() {
    wchar_t documents[MAX_PATH] = L"";
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_PERSONAL | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, documents)))
        return {};
    const std::wstring folder = std::wstring(documents) + L"\\VelPanel Reports";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

std::wstring DefaultReportName(const std::vector<int>& panels) {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    std::wstring panel = panels.size() == 1 ? Utf8ToWide(PanelTypeName(panels.front())) : L"All";
    // "Jog & Shuttle" becomes "Jog-Shuttle": no blanks or ampersands in a name
    // that gets typed into mails and tickets.
    std::wstring clean;
    for (wchar_t c : panel) {
        if (c == L' ' || c == L'&') {
            if (!clean.empty() && clean.back() != L'-') clean += L'-';
        } else {
            clean += c;
        }
    }
    return Utf8ToWide(Stamp(now, "VelPanel-Report-%04u%02u%02u-%02u%02u%02u-")) + clean;
}

bool WriteServiceReport(const std::wstring& htmlPath, CheckSession& session, const std::vector<int>& panels) {
    const ReportHeader header = HeaderNow(session);
    return WriteFileText(htmlPath, ServiceReportHtml(session, header, panels)) &&
           WriteFileText(JsonPathBeside(htmlPath), ServiceReportJson(session, header, panels));
}

void SaveServiceReport(CWnd* parent, CheckSession& session, const std::vector<int>& panels) {
    if (!AskOperator(parent, session)) return;
    const std::wstring initial = DefaultReportFolder() + L"\\" + DefaultReportName(panels) + L".html";
    CFileDialog dialog(FALSE, L"html", initial.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       L"Service report (*.html)|*.html|", parent);
    if (dialog.DoModal() != IDOK) return;
    if (!WriteServiceReport(dialog.GetPathName(), session, panels))
        AfxMessageBox((L"The report could not be written:\n" + dialog.GetPathName()).c_str(), MB_OK | MB_ICONEXCLAMATION);
}
