// File-open / save dialog. Tests answer it through a hook instead of a window.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <functional>
#include <string>

class CWnd;

class CFileDialog {
public:
    // Returns IDOK with the chosen path, or IDCANCEL.
    using Hook = std::function<INT_PTR(const CFileDialog& dialog, std::wstring& chosenPath)>;
    static Hook SetHook(Hook hook);

    CFileDialog(BOOL openFileDialog, LPCWSTR defaultExt = nullptr, LPCWSTR fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCWSTR filter = nullptr, CWnd* parent = nullptr);

    INT_PTR DoModal();
    std::wstring GetPathName() const { return m_path; }

    BOOL IsOpenDialog() const { return m_open; }
    const std::wstring& DefaultExt() const { return m_defaultExt; }
    const std::wstring& InitialFileName() const { return m_initialName; }
    DWORD Flags() const { return m_flags; }
    const std::wstring& Filter() const { return m_filter; }

private:
    BOOL m_open;
    std::wstring m_defaultExt;
    std::wstring m_initialName;
    DWORD m_flags;
    std::wstring m_filter;
    CWnd* m_parent;
    std::wstring m_path;
};
