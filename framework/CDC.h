// Device context. A CDC made by CreateCompatibleDC owns its DC; one attached to
// a window's DC (CPaintDC, CClientDC) gives it back in the derived destructor.
#pragma once

#include <windows.h>

class CDC {
public:
    CDC() = default;
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

    BOOL CreateCompatibleDC(HDC reference);
    void DeleteDC();

    HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
    int SetMapMode(int mode) { return ::SetMapMode(m_hDC, mode); }
    void SetWindowExt(int cx, int cy) { ::SetWindowExtEx(m_hDC, cx, cy, nullptr); }
    void SetViewportExt(int cx, int cy) { ::SetViewportExtEx(m_hDC, cx, cy, nullptr); }
    void SetViewportOrg(int x, int y) { ::SetViewportOrgEx(m_hDC, x, y, nullptr); }
    void MoveTo(int x, int y) { ::MoveToEx(m_hDC, x, y, nullptr); }
    void LineTo(int x, int y) { ::LineTo(m_hDC, x, y); }
    void Ellipse(int l, int t, int r, int b) { ::Ellipse(m_hDC, l, t, r, b); }
    BOOL BitBlt(int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop) {
        return ::BitBlt(m_hDC, x, y, w, h, src, sx, sy, rop);
    }
    void FillSolidRect(const RECT& r, COLORREF color);
    BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    COLORREF SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
    int DrawText(LPCWSTR text, int count, RECT* rect, UINT format) {
        return ::DrawTextW(m_hDC, text, count, rect, format);
    }
    int SaveDC() { return ::SaveDC(m_hDC); }
    BOOL RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved); }
    // Logical coordinates, unlike a region selected into the DC.
    int IntersectClipRect(const RECT& r) { return ::IntersectClipRect(m_hDC, r.left, r.top, r.right, r.bottom); }

protected:
    HDC m_hDC = nullptr;

private:
    bool m_owned = false;
};
