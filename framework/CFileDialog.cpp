#include "framework/CFileDialog.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "framework/CWinApp.h"
#include "framework/CWnd.h"

namespace {
CFileDialog::Hook& TheHook() {
    static CFileDialog::Hook hook;
    return hook;
}
}  // namespace

CFileDialog::Hook CFileDialog::SetHook(Hook hook) {
    Hook previous = std::move(TheHook());
    TheHook() = std::move(hook);
    return previous;
}

CFileDialog::CFileDialog(BOOL openFileDialog, LPCWSTR defaultExt, LPCWSTR fileName, DWORD flags, LPCWSTR filter,
                         CWnd* parent)
    : m_open(openFileDialog),
      m_defaultExt(defaultExt ? defaultExt : L""),
      m_initialName(fileName ? fileName : L""),
      m_flags(flags),
      m_filter(filter ? filter : L""),
      m_parent(parent) {}

INT_PTR CFileDialog::DoModal() {
    if (TheHook()) {
        std::wstring chosen;
        const INT_PTR result = TheHook()(*this, chosen);
        if (result == IDOK) m_path = chosen;
        return result;
    }
    // Filters are given as "name|pattern|...|" and the dialog wants NUL separators.
    std::wstring filter = m_filter;
    for (wchar_t& c : filter)
        if (c == L'|') c = L'\0';
    filter.push_back(L'\0');

    std::vector<wchar_t> file(32768, L'\0');
    m_initialName.copy(file.data(), std::min(m_initialName.size(), file.size() - 1));

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    CWnd* owner = m_parent ? m_parent : AfxGetMainWnd();
    ofn.hwndOwner = owner ? owner->GetSafeHwnd() : nullptr;
    ofn.lpstrFilter = m_filter.empty() ? nullptr : filter.c_str();
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrDefExt = m_defaultExt.empty() ? nullptr : m_defaultExt.c_str();
    ofn.Flags = m_flags | OFN_EXPLORER | OFN_ENABLESIZING;
    const BOOL ok = m_open ? ::GetOpenFileNameW(&ofn) : ::GetSaveFileNameW(&ofn);
    if (!ok) return IDCANCEL;
    m_path = file.data();
    return IDOK;
}
