// A painted host window for the widgets under test, a message pump and pixel
// readers for windows and bitmap resources.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/CWnd.h"
#include "tests/support/PaintTestBasics.h"
#include "widgets/CShapedButton.h"

namespace widgettest {

// A key that counts its drawings.
class CountingKey : public CShapedButton {
public:
    int draws = 0;

protected:
    void DrawItem(LPDRAWITEMSTRUCT dis) override {
        ++draws;
        CShapedButton::DrawItem(dis);
    }
};

// Background of the host window, never a colour of the test artwork's own making.
constexpr COLORREF kBackground = RGB(12, 34, 56);

// A top-level window that paints itself kBackground, reflects owner-draw items
// to the child objects (CWnd) and records the WM_COMMANDs it receives.
class HostWindow : public CWnd {
public:
    bool Open(int width = 320, int height = 360) {
        const RECT rc{0, 0, width, height};
        return Create(nullptr, L"widgets", WS_POPUP | WS_VISIBLE, rc, nullptr, 0) != FALSE;
    }
    std::vector<WPARAM> commands;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
        switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            const HDC dc = ::BeginPaint(m_hWnd, &ps);
            const HBRUSH brush = ::CreateSolidBrush(kBackground);
            ::FillRect(dc, &ps.rcPaint, brush);
            ::DeleteObject(brush);
            ::EndPaint(m_hWnd, &ps);
            return 0;
        }
        case WM_COMMAND:
            commands.push_back(wp);
            return 0;
        default:
            return CWnd::WindowProc(msg, wp, lp);
        }
    }
};

using painttest::kScribble;
using painttest::Pump;

// Fills the top-left w x h pixels of the window with kScribble, bypassing painting.
inline void Scribble(HWND hwnd, int w, int h) {
    const HDC dc = ::GetDC(hwnd);
    const HBRUSH brush = ::CreateSolidBrush(kScribble);
    const RECT rc{0, 0, w, h};
    ::FillRect(dc, &rc, brush);
    ::DeleteObject(brush);
    ::ReleaseDC(hwnd, dc);
}

// Paints the window and its children now.
inline void Repaint(HWND hwnd) {
    ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
}

// The readers below show the window as it is once its pending paints (and its
// children's) are done: the widgets draw in WM_PAINT only.
inline COLORREF WindowPixel(HWND hwnd, int x, int y) {
    ::UpdateWindow(hwnd);
    const HDC dc = ::GetDC(hwnd);
    const COLORREF c = ::GetPixel(dc, x, y);
    ::ReleaseDC(hwnd, dc);
    return c;
}

// Pixel (x, y) of the window as it is drawn into its top-level window, read
// through the host's DC so that window regions and children count.
inline COLORREF ScreenPixelOf(HWND host, HWND child, int x, int y) {
    POINT p{x, y};
    ::MapWindowPoints(child, host, &p, 1);
    return WindowPixel(host, p.x, p.y);
}

// Every pixel of a w x h block of the window's client area, row by row.
inline std::vector<COLORREF> WindowPixels(HWND hwnd, int w, int h) {
    std::vector<COLORREF> out;
    out.reserve(static_cast<size_t>(w) * static_cast<size_t>(h));
    ::UpdateWindow(hwnd);
    const HDC dc = ::GetDC(hwnd);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) out.push_back(::GetPixel(dc, x, y));
    ::ReleaseDC(hwnd, dc);
    return out;
}

// The pixels of a bitmap resource of this module.
class ResourceBitmap {
public:
    explicit ResourceBitmap(UINT id)
        : m_bitmap(static_cast<HBITMAP>(
              ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR))),
          m_dc(::CreateCompatibleDC(nullptr)) {
        if (m_bitmap) {
            m_old = ::SelectObject(m_dc, m_bitmap);
            BITMAP bm{};
            ::GetObjectW(m_bitmap, sizeof bm, &bm);
            m_size = SIZE{bm.bmWidth, bm.bmHeight};
        }
    }
    ~ResourceBitmap() {
        if (m_old) ::SelectObject(m_dc, m_old);
        ::DeleteDC(m_dc);
        if (m_bitmap) ::DeleteObject(m_bitmap);
    }
    ResourceBitmap(const ResourceBitmap&) = delete;
    ResourceBitmap& operator=(const ResourceBitmap&) = delete;

    bool Loaded() const { return m_bitmap != nullptr; }
    SIZE Size() const { return m_size; }
    COLORREF Pixel(int x, int y) const { return ::GetPixel(m_dc, x, y); }

private:
    HBITMAP m_bitmap;
    HDC m_dc;
    HGDIOBJ m_old = nullptr;
    SIZE m_size{0, 0};
};

}  // namespace widgettest
