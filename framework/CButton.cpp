#include "framework/CButton.h"

#include "framework/CWinApp.h"

namespace {
WNDPROC g_systemButtonProc = nullptr;

LRESULT CALLBACK ButtonClassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    return ::CallWindowProcW(g_systemButtonProc, hwnd, msg, wp, lp);
}
}  // namespace

LPCWSTR CButton::OwnClassName() {
    static const wchar_t kName[] = L"VelButton";
    static const ATOM atom = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        if (!::GetClassInfoExW(nullptr, L"Button", &wc)) return ATOM(0);
        g_systemButtonProc = wc.lpfnWndProc;
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &ButtonClassProc;
        // CS_PARENTDC hands the button its parent's device context, unclipped by the button's region.
        wc.style &= ~static_cast<UINT>(CS_PARENTDC);
        wc.hInstance = AfxGetInstanceHandle();
        wc.lpszClassName = kName;
        return ::RegisterClassExW(&wc);
    }();
    return atom ? kName : L"Button";
}

BOOL CButton::Create(LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(OwnClassName(), text, style, rect, parent, id);
}
