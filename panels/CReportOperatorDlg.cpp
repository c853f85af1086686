#include "panels/CReportOperatorDlg.h"

#include <iterator>

#include "res/resource.h"

namespace {
constexpr wchar_t kKey[] = L"Software\\VelPanel\\Service Report";

std::wstring ReadValue(HKEY key, const wchar_t* name) {
    wchar_t text[256] = L"";
    DWORD size = sizeof text - sizeof(wchar_t);
    DWORD type = 0;
    if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return {};
    return text;
}

void WriteValue(HKEY key, const wchar_t* name, const std::wstring& value) {
    ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}
}  // namespace

CReportOperatorDlg::CReportOperatorDlg(CWnd* parent) : CDialog(IDD_REPORT_OPERATOR, parent) {}

void CReportOperatorDlg::Recall(std::wstring& operatorName, std::wstring& ticket) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    operatorName = ReadValue(key, L"Operator");
    ticket = ReadValue(key, L"Ticket");
    ::RegCloseKey(key);
}

void CReportOperatorDlg::Remember(const std::wstring& operatorName, const std::wstring& ticket) {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    WriteValue(key, L"Operator", operatorName);
    WriteValue(key, L"Ticket", ticket);
    ::RegCloseKey(key);
}

BOOL CReportOperatorDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_REPORT_OPERATOR, operatorName.c_str());
    SetDlgItemText(IDC_REPORT_TICKET, ticket.c_str());
    return TRUE;
}

void CReportOperatorDlg::OnOK() {
    wchar_t text[256] = L"";
    ::GetDlgItemTextW(m_hWnd, IDC_REPORT_OPERATOR, text, static_cast<int>(std::size(text)));
    operatorName = text;
    ::GetDlgItemTextW(m_hWnd, IDC_REPORT_TICKET, text, static_cast<int>(std::size(text)));
    ticket = text;
    CDialog::OnOK();
}
