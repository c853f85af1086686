// Temporary folders and files for the help tests, and a driver for modal windows.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder's path, with a trailing backslash.
    const std::wstring& Path() const { return m_path; }

private:
    std::wstring m_path;
};

// The \\?\ form of a long absolute path, which the file functions take at any length.
std::wstring LongForm(const std::wstring& path);
bool MakeDirectories(const std::wstring& path);
bool WriteBytes(const std::wstring& path, const std::string& bytes);
bool ReadBytes(const std::wstring& path, std::string& bytes);
// Every file and folder below path, then path itself.
void RemoveTree(const std::wstring& path);

// The running test program's path, read with a buffer big enough for any path.
std::wstring OwnPath();

std::wstring FullWindowText(HWND hwnd);

// Text of the given length in numbered lines ending in CR LF (the last one maybe cut).
std::string NumberedLines(size_t bytes);
std::wstring Widened(const std::string& ascii);

// How the user ends a modal window.
enum class CloseBy { OkButton, EscapeKey, CloseBox };
const char* CloseByName(CloseBy how);

// Runs a modal loop's dialog from a thread timer: once dialog() names a visible window,
// calls look(window) and then ends it the given way. A window that has not gone after
// a few seconds is destroyed, so a failing test ends too.
class ModalDriver {
public:
    ModalDriver(std::function<HWND()> dialog, CloseBy how, std::function<void(HWND)> look);
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    bool Looked() const { return m_looked; }
    // Wait this long after the window shows before looking (for a picture that has settled).
    void SetSettleTime(DWORD ms) { m_settleMs = ms; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) noexcept;
    void OnTick();

    std::function<HWND()> m_dialog;
    CloseBy m_how;
    std::function<void(HWND)> m_look;
    UINT_PTR m_timer = 0;
    bool m_looked = false;
    DWORD m_shownAt = 0;
    DWORD m_settleMs = 0;
    int m_ticks = 0;
};
