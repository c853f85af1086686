#include "CWnd.h"

#include "AfxMessageBox.h"
#include "CWinApp.h"

namespace {
const wchar_t kObjectProp[] = L"VelPanel.CWnd";
}

LPCWSTR VelChildWindowClass() {
    static const wchar_t kName[] = L"VelWnd";
    static const ATOM atom = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
        wc.lpszClassName = kName;
        return RegisterClassExW(&wc);
    }();
    (void)atom;
    return kName;
}

CWnd::~CWnd() {
    // A window that outlives its object would call into freed memory.
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        const HWND hwnd = m_hWnd;
        Detach();
        ::DestroyWindow(hwnd);
    }
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    if (!hwnd) return nullptr;
    return static_cast<CWnd*>(::GetPropW(hwnd, kObjectProp));
}

void CWnd::Attach(HWND hwnd) {
    m_hWnd = hwnd;
    ::SetPropW(hwnd, kObjectProp, this);
    m_baseProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StaticWndProc)));
}

void CWnd::Detach() {
    if (!m_hWnd) return;
    if (m_baseProc &&
        reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC)) == &CWnd::StaticWndProc)
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_baseProc));
    ::RemovePropW(m_hWnd, kObjectProp);
    m_hWnd = nullptr;
    m_baseProc = nullptr;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent,
                    UINT id) {
    if (m_hWnd) return FALSE;
    const HWND parentHwnd = parent ? parent->m_hWnd : nullptr;
    const HMENU menu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
    const HWND hwnd = ::CreateWindowExW(exStyle, className ? className : VelChildWindowClass(), text ? text : L"",
                                        style, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                                        parentHwnd, menu, AfxGetInstanceHandle(), nullptr);
    if (!hwnd) return FALSE;
    Attach(hwnd);
    PreSubclassWindow();
    return TRUE;
}

BOOL CWnd::Create(LPCWSTR className, LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(0, className, text, style, rect, parent, id);
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    if (m_hWnd || !hwnd || FromHandle(hwnd)) return FALSE;
    Attach(hwnd);
    PreSubclassWindow();
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    return parent ? SubclassWindow(::GetDlgItem(parent->m_hWnd, static_cast<int>(id))) : FALSE;
}

HWND CWnd::UnsubclassWindow() {
    const HWND hwnd = m_hWnd;
    Detach();
    return hwnd;
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    // WM_NCDESTROY detaches the object on the way.
    return ::DestroyWindow(m_hWnd);
}

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

int CWnd::MessageBox(LPCWSTR text, LPCWSTR caption, UINT type) {
    return VelMessageBox(m_hWnd, text, caption ? caption : AfxGetAppName(), type);
}

LRESULT CWnd::CallBaseProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (m_baseProc) return ::CallWindowProcW(m_baseProc, m_hWnd, msg, wp, lp);
    return ::DefWindowProcW(m_hWnd, msg, wp, lp);
}

LRESULT CWnd::Default() { return CallBaseProc(m_current.msg, m_current.wp, m_current.lp); }

LRESULT CWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DRAWITEM && lp) {
        auto* dis = reinterpret_cast<LPDRAWITEMSTRUCT>(lp);
        if (dis->CtlType != ODT_MENU) {
            if (CWnd* child = FromHandle(dis->hwndItem)) {
                child->DrawItem(dis);
                return TRUE;
            }
        }
    }
    return CallBaseProc(msg, wp, lp);
}

LRESULT CALLBACK CWnd::StaticWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    CWnd* self = FromHandle(hwnd);
    if (!self) return ::DefWindowProcW(hwnd, msg, wp, lp);
    const Current saved = self->m_current;
    self->m_current = {msg, wp, lp};
    LRESULT result = 0;
    try {
        result = self->WindowProc(msg, wp, lp);
    } catch (...) {
        // Unwinding through user32 is undefined; the message gets its default handling instead.
        ::OutputDebugStringW(L"VelPanel: exception in a window procedure\n");
        result = self->CallBaseProc(msg, wp, lp);
    }
    if (msg == WM_NCDESTROY) {
        self->Detach();
        self->PostNcDestroy();
        return result;
    }
    self->m_current = saved;
    return result;
}
