#include "framework/dialog.h"

#include "framework/app.h"
#include "framework/exceptions.h"

// The dialog procedure only attaches the object: on WM_INITDIALOG the dialog window is
// subclassed like any other, and from then on the dialog manager is its default processing.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG) {
        return FALSE;
    }
    CDialog* pDlg = reinterpret_cast<CDialog*>(lParam);
    if (!pDlg->SubclassWindow(hWnd)) {
        EndDialog(hWnd, -1);
        return FALSE;
    }
    try {
        return pDlg->OnInitDialog();
    } catch (...) {
        AfxReportCurrentException(hWnd);
        // The dialog runs on, with the focus on its first tab stop.
        return TRUE;
    }
}

// The dialog manager's modal loop offers each message to the thread's message filters first:
// the dialog whose window the message is for gets it.
LRESULT CALLBACK AfxMsgFilterProc(int code, WPARAM wParam, LPARAM lParam) {
    MSG* pMsg = reinterpret_cast<MSG*>(lParam);
    auto* pDlg =
        dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(GetAncestor(pMsg->hwnd, GA_ROOT)));
    if (code == MSGF_DIALOGBOX && pDlg != nullptr && pDlg->PreTranslateMessage(pMsg)) {
        return TRUE;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_BN_CLICKED(IDOK, &CDialog::OnOK)
ON_BN_CLICKED(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

INT_PTR CDialog::DoModal() {
    const HHOOK hFilter =
        SetWindowsHookExA(WH_MSGFILTER, &AfxMsgFilterProc, nullptr, GetCurrentThreadId());
    const INT_PTR result = DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate),
                                           m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr,
                                           &AfxDlgProc, reinterpret_cast<LPARAM>(this));
    UnhookWindowsHookEx(hFilter);
    return result;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) {
        return;
    }
    ::EndDialog(m_hWnd, IDOK);
}

void CDialog::OnCancel() {
    ::EndDialog(m_hWnd, IDCANCEL);
}
