#include "tests/support/TestWindows.h"

#include "framework/AfxMessageBox.h"

void PumpMessages() {
    MSG msg;
    for (int round = 0; round < 3; ++round) {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

MessageBoxRecorder::MessageBoxRecorder(int answer) {
    SetMessageBoxHook([this, answer](HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
        boxes.push_back({owner, text ? text : L"", caption ? caption : L"", type});
        if (whileShown) whileShown(boxes.back());
        return answer;
    });
}

MessageBoxRecorder::~MessageBoxRecorder() { SetMessageBoxHook(nullptr); }

size_t MessageBoxRecorder::Count(const std::wstring& text) const {
    size_t n = 0;
    for (const auto& b : boxes)
        if (b.text == text) ++n;
    return n;
}

std::wstring WindowText(HWND hwnd) {
    wchar_t buf[512] = L"";
    ::GetWindowTextW(hwnd, buf, 512);
    return buf;
}

std::wstring DlgItemText(HWND dialog, int id) { return WindowText(::GetDlgItem(dialog, id)); }

HWND FindOwnDialog(const wchar_t* title) {
    for (HWND hwnd = ::FindWindowExW(nullptr, nullptr, L"#32770", title); hwnd;
         hwnd = ::FindWindowExW(nullptr, hwnd, L"#32770", title)) {
        DWORD process = 0;
        ::GetWindowThreadProcessId(hwnd, &process);
        if (process == ::GetCurrentProcessId() && ::IsWindowVisible(hwnd)) return hwnd;
    }
    return nullptr;
}
