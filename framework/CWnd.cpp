#include "framework/CWnd.h"

#include <commctrl.h>

#include "framework/CWinApp.h"

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

// The subclass id is the object itself, so several objects may take turns on one
// window and each removes exactly its own entry, wherever it sits in the chain.
bool CWnd::Attach(HWND hwnd) {
    if (!::SetWindowSubclass(hwnd, &CWnd::SubclassProc, reinterpret_cast<UINT_PTR>(this),
                             reinterpret_cast<DWORD_PTR>(this)))
        return false;
    m_hWnd = hwnd;
    ::SetPropW(hwnd, kObjectProp, this);
    return true;
}

void CWnd::Detach() {
    if (!m_hWnd) return;
    ::RemoveWindowSubclass(m_hWnd, &CWnd::SubclassProc, reinterpret_cast<UINT_PTR>(this));
    ::RemovePropW(m_hWnd, kObjectProp);
    m_hWnd = nullptr;
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
    if (!Attach(hwnd)) {
        ::DestroyWindow(hwnd);
        return FALSE;
    }
    PreSubclassWindow();
    return TRUE;
}

BOOL CWnd::Create(LPCWSTR className, LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(0, className, text, style, rect, parent, id);
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    if (m_hWnd || !hwnd || FromHandle(hwnd) || !Attach(hwnd)) return FALSE;
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

LRESULT CWnd::CallBaseProc(UINT msg, WPARAM wp, LPARAM lp) {
    // Detached in the middle of a message: the chain below is no longer ours to call.
    if (!m_hWnd) return 0;
    return ::DefSubclassProc(m_hWnd, msg, wp, lp);
}

LRESULT CWnd::Default() { return CallBaseProc(m_current.msg, m_current.wp, m_current.lp); }

BOOL CWnd::OnCommand(int id, int code, HWND ctrl) {
    if (code == BN_CLICKED || !ctrl) return OnButtonClicked(id);
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
        if (OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp))) return 0;
        break;
    case WM_TIMER:
        if (OnTimer(static_cast<UINT_PTR>(wp))) return 0;
        break;
    case WM_DRAWITEM:
        if (lp) {
            auto* dis = reinterpret_cast<LPDRAWITEMSTRUCT>(lp);
            if (dis->CtlType != ODT_MENU) {
                if (CWnd* child = FromHandle(dis->hwndItem)) {
                    child->DrawItem(dis);
                    return TRUE;
                }
            }
        }
        break;
    default:
        break;
    }
    return CallBaseProc(msg, wp, lp);
}

LRESULT CALLBACK CWnd::SubclassProc(HWND, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) noexcept {
    auto* self = reinterpret_cast<CWnd*>(ref);
    const Current saved = self->m_current;
    self->m_current = {msg, wp, lp};
    ++self->m_handlerDepth;
    LRESULT result = 0;
    try {
        result = self->WindowProc(msg, wp, lp);
    } catch (...) {
        // Unwinding through user32 is undefined; the message gets its default handling instead.
        ::OutputDebugStringW(L"VelPanel: exception in a window procedure\n");
        result = self->CallBaseProc(msg, wp, lp);
    }
    --self->m_handlerDepth;
    if (msg == WM_NCDESTROY) {
        self->Detach();
        self->PostNcDestroy();
        return result;
    }
    self->m_current = saved;
    if (self->m_deleteWhenIdle && self->m_handlerDepth == 0) delete self;
    return result;
}

void CWnd::DestroyAndDelete(CWnd* wnd) {
    if (!wnd) return;
    if (wnd->m_handlerDepth == 0) {
        wnd->DestroyWindow();
        delete wnd;
        return;
    }
    wnd->m_deleteWhenIdle = true;
    wnd->DestroyWindow();
}
