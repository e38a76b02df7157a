// The common file dialog of the class layer: the Vista-style dialog through COM, or the classic
// GetOpenFileNameA / GetSaveFileNameA one.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <string>

#include "framework/string.h"
#include "framework/window.h"

class CFileDialog {
public:
    // `filter` lists description and pattern pairs separated by '|', e.g. "Text (*.txt)|*.txt|".
    CFileDialog(BOOL bOpenFileDialog, const char* defExt = nullptr, const char* fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr,
                CWnd* parentWnd = nullptr, DWORD size = 0, BOOL vistaStyle = TRUE);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // Shows the dialog; IDOK once the user chose a file, otherwise IDCANCEL. A chosen path that
    // the ANSI code page cannot spell is refused with an error box and gives IDCANCEL.
    INT_PTR DoModal();
    // The full path chosen by the last DoModal that returned IDOK; empty otherwise.
    CString GetPathName() const { return m_strPathName; }

    // Callers may set lpstrInitialDir and lpstrTitle (strings they keep alive) before DoModal.
    OPENFILENAMEA m_ofn;

private:
    INT_PTR DoModalVista(bool& shown);
    INT_PTR DoModalClassic();
    // Stores a path the dialog returned, or reports it and returns FALSE if it has no ANSI form.
    BOOL AcceptWidePath(const wchar_t* path);

    BOOL m_bOpenFileDialog;
    BOOL m_bVistaStyle;
    CWnd* m_pParentWnd;
    std::string m_strFilter;  // the '|' list with NULs, ending in two NULs
    std::string m_strDefExt;
    char m_szFileName[MAX_PATH] = {};
    CString m_strPathName;
};
