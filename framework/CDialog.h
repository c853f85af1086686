// Dialog built from a template resource: modal (with its own message loop, which
// also gives modeless dialogs their keyboard navigation) or modeless.
#pragma once

#include "framework/CWnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* dlg, BOOL save) : m_pDlgWnd(dlg), m_bSaveAndValidate(save) {}
    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
};

// Binds a dialog item to a control object, once.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Runs the dialog modally; returns the value given to EndDialog, or -1 when
    // the window could not be created.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless. Without a parent the application's main
    // window becomes its owner.
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    void EndDialog(int result);
    BOOL UpdateData(BOOL save = TRUE);

    UINT TemplateId() const { return m_templateId; }
    bool IsModal() const { return m_modal; }

    // True when msg was a keyboard message for a dialog and has been handled.
    static bool PreTranslateDialogMessage(MSG* msg);

protected:
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange*) {}
    // A key for the dialog or one of its controls, before the dialog's own
    // navigation sees it; true when the dialog took it.
    virtual bool OnKeyMessage(const MSG& /*msg*/) { return false; }
    // IDOK and IDCANCEL (Enter, Escape and the close box) end in OnOK and OnCancel.
    BOOL OnButtonClicked(int id) override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

    CWnd* m_pParentWnd;

private:
    HWND OwnerHwnd(CWnd* parent) const;
    // The owner of a modal run, and the top-level window above it to disable too (or null).
    HWND ModalOwnerHwnd(HWND* topLevel) const;
    HWND CreateFromTemplate(UINT templateId, HWND owner);
    static INT_PTR CALLBACK StaticDlgProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;

    UINT m_templateId;
    bool m_modal = false;
    bool m_modalRunning = false;
    INT_PTR m_modalResult = -1;
};
