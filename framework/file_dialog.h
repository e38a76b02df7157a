// The common file dialog of the class layer: always the newer (Vista-style) dialog through COM,
// with the classic GetOpenFileNameA / GetSaveFileNameA one where the newer one cannot run.
#pragma once

#include <windows.h>
#include <commdlg.h>
#include <shobjidl.h>

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

    // What DoModal ended with; the caller tells the user of the last two.
    enum class Outcome {
        Chosen,
        Cancelled,
        CannotShow,        // neither dialog could be shown
        NameNotInCodePage  // the chosen path has characters the ANSI code page cannot spell
    };

    // Shows the dialog until the user chooses a file or cancels.
    Outcome DoModal();
    // The full path chosen by the last DoModal: Chosen, or NameNotInCodePage with the default
    // character for each character it cannot spell; empty otherwise.
    CString GetPathName() const { return m_strPathName; }

    // Callers may set lpstrInitialDir and lpstrTitle (strings they keep alive) before DoModal.
    OPENFILENAMEA m_ofn;

private:
    // The newer dialog: S_OK once a file was chosen (its path in m_strPathName, with
    // m_bNameInCodePage telling whether the ANSI code page spells it),
    // HRESULT_FROM_WIN32(ERROR_CANCELLED), or another failure when it could not run.
    HRESULT DoModalVista();
    // Gives the newer dialog the options, file types, names and folder of m_ofn.
    void SetUp(IFileDialog* dialog) const;

    BOOL m_bOpenFileDialog;
    CWnd* m_pParentWnd;
    std::string m_strFilter;  // the '|' list with NULs, ending in two NULs
    std::string m_strDefExt;
    char m_szFileName[MAX_PATH] = {};
    CString m_strPathName;
    bool m_bNameInCodePage = true;
};
