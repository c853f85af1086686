// Finding and reading a panel's help file: plain text in the system's ANSI code
// page, lying beside the program.
#pragma once

#include <functional>
#include <optional>
#include <string>

// The help file of a panel by its PanelIndex, or null for any other index.
const wchar_t* HelpFileName(int helpIndex);

// The folder part of a path: everything up to and including its last
// backslash; empty when the path has none.
std::wstring DirectoryOfPath(const std::wstring& path);

// The full path of the running program, however long it is.
std::wstring ProgramPath();
// The same with the system's question put through moduleFileName, which answers
// like GetModuleFileNameW for the program: the units copied into the buffer of
// the given size, the size itself when the path did not fit, 0 on failure.
std::wstring ProgramPath(const std::function<unsigned long(wchar_t* buffer, unsigned long size)>& moduleFileName);

// The help file of the panel in the given folder; empty for an unknown panel.
std::wstring HelpFilePath(const std::wstring& directory, int helpIndex);

// The path in the form the file functions take at any length: a path of MAX_PATH
// units or more that names a drive or a share goes in the \\?\ form.
std::wstring OpenablePath(const std::wstring& path);

// The file's text, read whole and converted from the ANSI code page up to its
// first zero byte; nothing when the file can't be opened for reading.
std::optional<std::wstring> ReadAnsiTextFile(const std::wstring& path);
