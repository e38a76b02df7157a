// Modal dialogs built from the executable's dialog templates.
#pragma once

#include <windows.h>

#include "framework/window.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr)
        : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

    // Creates the dialog from its template and runs it until ::EndDialog; returns its result, or
    // -1 if the dialog could not be created.
    virtual INT_PTR DoModal();

    // Sees each message of the dialog's windows before the dialog manager does; TRUE when it
    // handled the message (an accelerator, say), which then goes no further.
    virtual BOOL PreTranslateMessage(MSG*) { return FALSE; }

protected:
    // Exchanges the controls' data (UpdateData(FALSE)); TRUE lets the system set the focus.
    virtual BOOL OnInitDialog();
    // Saves the controls' data and ends the dialog with IDOK; a failed exchange keeps it open.
    virtual void OnOK();
    // Ends the dialog with IDCANCEL.
    virtual void OnCancel();

    DECLARE_MESSAGE_MAP()

private:
    friend INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;  // not owned
};
