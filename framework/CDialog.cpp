#include "framework/CDialog.h"

#include "framework/CWinApp.h"

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
    if (control.GetSafeHwnd()) return;
    control.SubclassDlgItem(static_cast<UINT>(id), pDX->m_pDlgWnd);
}

CDialog::CDialog(UINT templateId, CWnd* parent) : m_pParentWnd(parent), m_templateId(templateId) {}

CDialog::~CDialog() = default;

HWND CDialog::OwnerHwnd(CWnd* parent) const {
    if (parent) return parent->GetSafeHwnd();
    CWnd* main = AfxGetMainWnd();
    return (main && main != this) ? main->GetSafeHwnd() : nullptr;
}

HWND CDialog::ModalOwnerHwnd(HWND* topLevel) const {
    HWND owner = OwnerHwnd(m_pParentWnd);
    // A popup can't be owned by a child window.
    while (owner && (::GetWindowLongW(owner, GWL_STYLE) & WS_CHILD)) owner = ::GetParent(owner);
    HWND top = owner;
    for (HWND up = owner; up; up = ::GetParent(up)) top = up;
    // Without a parent the dialog goes over whichever of the main window's windows the
    // user worked in last (a panel window's help opens over that panel window), and
    // both that window and the main window wait for it.
    if (!m_pParentWnd && owner) owner = ::GetLastActivePopup(owner);
    *topLevel = top != owner ? top : nullptr;
    return owner;
}

HWND CDialog::CreateFromTemplate(UINT templateId, HWND owner) {
    const HWND hwnd = ::CreateDialogParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(templateId), owner,
                                           &CDialog::StaticDlgProc, reinterpret_cast<LPARAM>(this));
    // A dialog the object could not attach to would live on without anyone to close it.
    if (hwnd && !m_hWnd && ::IsWindow(hwnd)) {
        ::DestroyWindow(hwnd);
        return nullptr;
    }
    return hwnd;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    if (m_hWnd) return FALSE;
    m_templateId = templateId;
    if (parent) m_pParentWnd = parent;
    return CreateFromTemplate(templateId, OwnerHwnd(parent)) != nullptr;
}

INT_PTR CDialog::DoModal() {
    if (m_hWnd) return -1;
    HWND top = nullptr;
    const HWND owner = ModalOwnerHwnd(&top);
    // The owner is disabled while the dialog runs, like any modal window, and so is
    // the window that owns the owner.
    const bool disableOwner = owner && ::IsWindowEnabled(owner);
    const bool disableTop = top && ::IsWindowEnabled(top);
    m_modal = true;
    m_modalRunning = true;
    m_modalResult = -1;
    if (!CreateFromTemplate(m_templateId, owner)) {
        m_modal = m_modalRunning = false;
        return -1;
    }
    if (disableOwner) ::EnableWindow(owner, FALSE);
    if (disableTop) ::EnableWindow(top, FALSE);
    if (m_modalRunning) ::ShowWindow(m_hWnd, SW_SHOW);

    MSG msg;
    bool quit = false;
    int quitCode = 0;
    while (m_modalRunning && m_hWnd) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            quit = true;
            quitCode = static_cast<int>(msg.wParam);
            break;
        }
        if (got < 0) break;
        if (!PreTranslateDialogMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    if (disableOwner) ::EnableWindow(owner, TRUE);
    if (m_hWnd) {
        // Give activation back before the window goes, or the owner stays behind other programs.
        if (owner && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(owner);
        DestroyWindow();
    }
    if (disableTop) ::EnableWindow(top, TRUE);
    m_modal = false;
    if (quit) ::PostQuitMessage(quitCode);
    return m_modalResult;
}

bool CDialog::PreTranslateDialogMessage(MSG* msg) {
    if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST || !msg->hwnd) return false;
    const HWND root = ::GetAncestor(msg->hwnd, GA_ROOT);
    auto* dlg = dynamic_cast<CDialog*>(FromHandle(root));
    return dlg && (dlg->OnKeyMessage(*msg) || ::IsDialogMessageW(root, msg));
}

void CDialog::EndDialog(int result) {
    if (m_modal) {
        m_modalResult = result;
        m_modalRunning = false;
        ::ShowWindow(m_hWnd, SW_HIDE);
    } else if (m_hWnd) {
        ::EndDialog(m_hWnd, result);  // a modeless dialog is only hidden
    }
}

BOOL CDialog::UpdateData(BOOL save) {
    CDataExchange dx(this, save);
    DoDataExchange(&dx);
    return TRUE;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(TRUE)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::OnButtonClicked(int id) {
    switch (id) {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    default:
        return CWnd::OnButtonClicked(id);
    }
}

LRESULT CDialog::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) return OnInitDialog();
    return CWnd::WindowProc(msg, wp, lp);
}

INT_PTR CALLBACK CDialog::StaticDlgProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    // Every message after WM_INITDIALOG reaches the object through its subclass
    // of the dialog window; its default processing goes down the chain to the
    // dialog manager, which calls this procedure again and gets FALSE. This
    // procedure only attaches the object.
    if (msg != WM_INITDIALOG) return FALSE;
    auto* self = reinterpret_cast<CDialog*>(lp);
    if (!self || FromHandle(hwnd) || !self->Attach(hwnd)) return FALSE;
    self->PreSubclassWindow();
    self->m_current = {msg, wp, lp};
    try {
        return self->WindowProc(WM_INITDIALOG, wp, lp);
    } catch (...) {
        ::OutputDebugStringW(L"VelPanel: exception in OnInitDialog\n");
        return TRUE;
    }
}
