// The Export command: asks for a file name, writes the listed ramp as CSV and reports the result.
#pragma once

#include <windows.h>

#include "core/gamma_ramp.h"
#include "framework/string.h"
#include "framework/window.h"

// Everything the save dialog is built with.
struct CSaveDialogRequest {
    CString m_strDefExt;
    CString m_strFileName;
    DWORD m_dwFlags;
    CString m_strFilter;
    CWnd* m_pParentWnd;
    CString m_strInitialDir;
    CString m_strTitle;
    BOOL m_bVistaStyle;
};

// The shell services the command uses, so that tests can stand in for them.
class CExportShell {
public:
    virtual ~CExportShell() = default;
    // The user's documents folder, created if missing; FALSE when the lookup fails.
    virtual BOOL GetDocumentsFolder(CString& folder) = 0;
    // Runs the save dialog; TRUE with the chosen full path once the user pressed OK.
    virtual BOOL RunSaveDialog(const CSaveDialogRequest& request, CString& pathName) = 0;
    // A top-level message box with no owner window; returns the button pressed.
    virtual int ShowMessage(const char* text, const char* caption, UINT type) = 0;
};

// The real shell: SHGetFolderPathA, CFileDialog and MessageBoxA.
CExportShell& Win32ExportShell();

// Asks for a file and writes `ramp` and `table` to it as CSV. `folder` holds the folder the
// dialog starts in; a successful documents-folder lookup replaces it first. A failed write
// throws CFileException, naming the file, shows no success message and leaves the file as it
// was.
void ExportRampCommand(CWnd* parent, CString& folder, const lumatab::GammaRamp& ramp,
                       const lumatab::GammaTable& table, CExportShell& shell = Win32ExportShell());
