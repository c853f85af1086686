// Window object: wraps one HWND, routes its messages to a virtual WindowProc.
// Commands and timers arrive decoded in OnCommand / OnButtonClicked / OnTimer;
// other messages are handled by overriding WindowProc with a plain switch that
// falls back to its base.
#pragma once

#include <windows.h>

#include <memory>

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The object attached to a window, or null for a window no object holds.
    static CWnd* FromHandle(HWND hwnd);

    // Creates a window and attaches it; className null means the plain child class,
    // which has no background brush.
    BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    BOOL Create(LPCWSTR className, LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();
    virtual BOOL DestroyWindow();
    // Destroys wnd's window and deletes the object. A modal loop inside one of
    // wnd's own handlers (a message box, a file dialog) may run the message that
    // closes wnd; the object must then outlive that handler, so only the window
    // goes now and the object follows when the outermost handler returns.
    static void DestroyAndDelete(CWnd* wnd);

    CWnd* GetParent() const;
    HWND GetDlgItemHwnd(int id) const { return ::GetDlgItem(m_hWnd, id); }
    CWnd* GetDlgItem(int id) const { return FromHandle(GetDlgItemHwnd(id)); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }

    LRESULT SendMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::SendMessageW(m_hWnd, msg, wp, lp); }
    BOOL PostMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::PostMessageW(m_hWnd, msg, wp, lp); }
    LRESULT SendDlgItemMessage(int id, UINT msg, WPARAM wp = 0, LPARAM lp = 0) const {
        return ::SendDlgItemMessageW(m_hWnd, id, msg, wp, lp);
    }

    void MoveWindow(int x, int y, int w, int h, BOOL repaint = TRUE) { ::MoveWindow(m_hWnd, x, y, w, h, repaint); }
    void MoveWindow(const RECT& r, BOOL repaint = TRUE) {
        MoveWindow(r.left, r.top, r.right - r.left, r.bottom - r.top, repaint);
    }
    BOOL ShowWindow(int cmd) { return ::ShowWindow(m_hWnd, cmd); }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    void SetWindowText(LPCWSTR text) { ::SetWindowTextW(m_hWnd, text); }
    void SetDlgItemText(int id, LPCWSTR text) { ::SetDlgItemTextW(m_hWnd, id, text); }
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    int SetWindowRgn(HRGN rgn, BOOL redraw) { return ::SetWindowRgn(m_hWnd, rgn, redraw); }
    HMENU GetSystemMenu(BOOL revert) const { return ::GetSystemMenu(m_hWnd, revert); }
    HICON SetIcon(HICON icon, BOOL big) {
        return reinterpret_cast<HICON>(
            SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
    }
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse) { return ::SetTimer(m_hWnd, id, elapse, nullptr); }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }

    // Runs the window's default handling for the message being handled: the rest
    // of the subclass chain below this object, ending in the class's own procedure.
    LRESULT Default();

protected:
    virtual LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp);
    // The handlers below return TRUE when they handled the message (WindowProc
    // then returns 0) and FALSE for default processing.
    // WM_COMMAND; ctrl is null for menus and accelerators, which count as clicks.
    virtual BOOL OnCommand(int id, int code, HWND ctrl);
    virtual BOOL OnButtonClicked(int /*id*/) { return FALSE; }
    virtual BOOL OnTimer(UINT_PTR /*id*/) { return FALSE; }
    // Runs once a window is attached, both for created and subclassed windows.
    virtual void PreSubclassWindow() {}
    // Runs after the window is gone and detached; the object may delete itself here.
    virtual void PostNcDestroy() {}
    // Owner-draw items reach the child control object, not its parent.
    virtual void DrawItem(LPDRAWITEMSTRUCT) {}
    LRESULT CallBaseProc(UINT msg, WPARAM wp, LPARAM lp);

    HWND m_hWnd = nullptr;

private:
    friend class CDialog;
    // False when the window can't be subclassed (it belongs to another thread, for one).
    bool Attach(HWND hwnd);
    void Detach();
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                         DWORD_PTR self) noexcept;

    struct Current {
        UINT msg;
        WPARAM wp;
        LPARAM lp;
    } m_current{};
    int m_handlerDepth = 0;  // handlers of this object on the stack
    bool m_deleteWhenIdle = false;
};

// The class of plain child windows created with a null class name.
LPCWSTR VelChildWindowClass();

// Owner of a window object made with new: CWnd::DestroyAndDelete when it lets go.
struct CWndDeleter {
    void operator()(CWnd* wnd) const { CWnd::DestroyAndDelete(wnd); }
};
template <class Window>
using CWndPtr = std::unique_ptr<Window, CWndDeleter>;
