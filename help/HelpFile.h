// Finding and reading a panel's help file: plain text lying beside the program,
// in UTF-8 or in the system's ANSI code page.
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

// Text bytes up to their first zero byte as UTF-16: UTF-8 when they start with
// its byte-order mark, or when they hold bytes above 127 and all of them are
// valid UTF-8; otherwise the system's ANSI code page.
std::wstring DecodeText(const char* bytes, size_t count);

// The file's text, read whole and decoded with DecodeText; nothing when the file
// can't be opened for reading.
std::optional<std::wstring> ReadTextFile(const std::wstring& path);

// What the Information window shows for the panel's help file in the folder:
// its text, or a line saying that the file is missing, unreadable or empty and
// where it was looked for. Empty for an index that names no panel.
std::wstring HelpText(const std::wstring& directory, int helpIndex);
