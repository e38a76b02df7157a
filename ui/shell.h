// The shell services the program's commands use: the documents folder, the file dialogs and
// message boxes, behind one seam so that tests can stand in for them.
#pragma once

#include <windows.h>

#include "framework/string.h"
#include "framework/window.h"

// Everything a file dialog is built with.
struct CFileDialogRequest {
    BOOL m_bOpenFileDialog;
    CString m_strDefExt;
    CString m_strFileName;
    DWORD m_dwFlags;
    CString m_strFilter;
    CWnd* m_pParentWnd;
    CString m_strInitialDir;
    CString m_strTitle;
};

class CShell {
public:
    virtual ~CShell() = default;
    // The user's documents folder, created if missing; FALSE when the lookup fails.
    virtual BOOL GetDocumentsFolder(CString& folder) = 0;
    // Runs a file dialog; TRUE with the chosen full path once the user pressed OK, FALSE when the
    // user cancelled. Throws CFailure when no dialog can be shown or the chosen name has
    // characters the ANSI code page cannot spell.
    virtual BOOL RunFileDialog(const CFileDialogRequest& request, CString& pathName) = 0;
    // A message box as AfxMessageBox shows it: owned by `owner`, the window the message comes
    // from, or by none when `owner` is null.
    virtual void ShowMessage(CWnd* owner, const char* text, UINT type) = 0;

    // Where a file dialog starts: the documents folder when the lookup succeeds, otherwise
    // `folder` as it was. The lookup writes a string of its own, so a failure changes nothing.
    void StartInDocuments(CString& folder) {
        CString documents;
        if (GetDocumentsFolder(documents)) {
            folder = documents;
        }
    }
};

// The real shell: SHGetFolderPathA, CFileDialog and AfxMessageBox.
CShell& Win32Shell();
