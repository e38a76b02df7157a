// The common file dialog of the class layer: always the newer (Vista-style) dialog through COM,
// with the classic GetOpenFileNameA / GetSaveFileNameA one where the newer one cannot run.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <string>

#include "framework/string.h"
#include "framework/window.h"

class CFileDialog {
public:
    // `filter` lists description and pattern pairs separated by '|', e.g. "Text (*.txt)|*.txt|".
    CFileDialog(BOOL bOpenFileDialog, const char* defExt, const char* fileName, DWORD flags,
                const char* filter, CWnd* parentWnd);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // Shows the dialog; IDOK once the user chose a file, otherwise IDCANCEL. A dialog that cannot
    // be shown at all, or a chosen path that the ANSI code page cannot spell, is reported in an
    // error box and gives IDCANCEL.
    INT_PTR DoModal();
    // The full path chosen by the last DoModal that returned IDOK; empty otherwise.
    CString GetPathName() const { return m_strPathName; }

    // Callers may set lpstrInitialDir and lpstrTitle (strings they keep alive) before DoModal.
    OPENFILENAMEA m_ofn;

private:
    // The newer dialog: S_OK once it ended (with the chosen path, or none if the ANSI code page
    // cannot spell it, which the user was told), HRESULT_FROM_WIN32(ERROR_CANCELLED), or another
    // failure when it could not run.
    HRESULT DoModalVista();

    BOOL m_bOpenFileDialog;
    CWnd* m_pParentWnd;
    std::string m_strFilter;  // the '|' list with NULs, ending in two NULs
    std::string m_strDefExt;
    char m_szFileName[MAX_PATH] = {};
    CString m_strPathName;
};
