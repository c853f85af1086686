// Helpers for tests that create real windows headless and drive them with messages.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Dispatches everything posted so far (posted messages, paints), without blocking.
void PumpMessages();

// Records every message box instead of showing it; answers with a fixed result.
class MessageBoxRecorder {
public:
    struct Box {
        HWND owner;
        std::wstring text;
        std::wstring caption;
        UINT type;
    };
    explicit MessageBoxRecorder(int answer = IDOK);
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    std::vector<Box> boxes;
    size_t Count(const std::wstring& text) const;
    // Runs while a box is "on screen", inside the code that showed it.
    std::function<void(const Box&)> whileShown;
};

std::wstring WindowText(HWND hwnd);

// A visible dialog of this process with this title, or null. Tests run side by
// side, so a window of another test program must not count.
HWND FindOwnDialog(const wchar_t* title);
std::wstring DlgItemText(HWND dialog, int id);
