// A plain host window, a message pump and pixel readers for the download
// window tests, and the picture a centred line of text makes on its own.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/CWnd.h"
#include "tests/support/PaintTestBasics.h"

namespace downloadtest {

// The classes of the Copying window, as the program's start registers them.
inline void RegisterCommonControls() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_ANIMATE_CLASS};
    ::InitCommonControlsEx(&icc);
}

class HostWindow : public CWnd {
public:
    bool Open(int width = 320, int height = 200) {
        return Create(nullptr, L"download", WS_POPUP | WS_VISIBLE, RECT{0, 0, width, height}, nullptr, 0) != FALSE;
    }
};

using painttest::kScribble;
using painttest::Pump;

inline void Scribble(HWND hwnd) {
    RECT rc{};
    ::GetClientRect(hwnd, &rc);
    const HDC dc = ::GetDC(hwnd);
    const HBRUSH brush = ::CreateSolidBrush(kScribble);
    ::FillRect(dc, &rc, brush);
    ::DeleteObject(brush);
    ::ReleaseDC(hwnd, dc);
}

// The window's client area as it is on screen now, row by row; paints nothing.
inline std::vector<COLORREF> ClientPixels(HWND hwnd, int w, int h) {
    std::vector<COLORREF> out;
    const HDC dc = ::GetDC(hwnd);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) out.push_back(::GetPixel(dc, x, y));
    ::ReleaseDC(hwnd, dc);
    return out;
}

inline COLORREF ClientPixel(HWND hwnd, int x, int y) {
    const HDC dc = ::GetDC(hwnd);
    const COLORREF c = ::GetPixel(dc, x, y);
    ::ReleaseDC(hwnd, dc);
    return c;
}

// Where a line of text centred in a w x h box puts ink, as the bar draws it:
// the default font of a fresh memory context, transparent, one line. 0 is
// blank, 255 full ink, anything between a smoothed edge.
inline std::vector<BYTE> TextInk(const std::wstring& text, int w, int h) {
    std::vector<BYTE> ink(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
    const HDC dc = ::CreateCompatibleDC(nullptr);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = ::SelectObject(dc, bitmap);
    RECT rc{0, 0, w, h};
    ::FillRect(dc, &rc, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(255, 255, 255));
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    for (size_t i = 0; i < ink.size(); ++i) ink[i] = static_cast<BYTE>(pixels[i] & 0xFF);
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    return ink;
}

}  // namespace downloadtest
