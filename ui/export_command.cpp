#include "ui/export_command.h"

#include <shlobj.h>

#include "core/csv_export.h"
#include "framework/file.h"
#include "framework/file_dialog.h"

namespace {

// OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN |
// OFN_EXPLORER
constexpr DWORD kSaveDialogFlags = 0x88806;
static_assert(kSaveDialogFlags == (OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST |
                                   OFN_NOREADONLYRETURN | OFN_EXPLORER),
              "the save dialog's flags");

// Hands WriteRampCsv's bytes to an open file; a failed write throws CFileException.
class CFileByteSink : public lumatab::ByteSink {
public:
    explicit CFileByteSink(CFile& file) : m_file(file) {}
    void Write(const void* data, std::size_t size) override {
        m_file.Write(data, static_cast<UINT>(size));
    }

private:
    CFile& m_file;  // not owned
};

class CWin32ExportShell : public CExportShell {
public:
    BOOL GetDocumentsFolder(CString& folder) override {
        char path[MAX_PATH] = {};
        const HRESULT hr = SHGetFolderPathA(nullptr, CSIDL_PERSONAL | CSIDL_FLAG_CREATE, nullptr,
                                            SHGFP_TYPE_CURRENT, path);
        if (FAILED(hr) || path[0] == '\0') {
            return FALSE;
        }
        folder = path;
        return TRUE;
    }

    BOOL RunSaveDialog(const CSaveDialogRequest& request, CString& pathName) override {
        CFileDialog dialog(FALSE, request.m_strDefExt, request.m_strFileName, request.m_dwFlags,
                           request.m_strFilter, request.m_pParentWnd, request.m_bVistaStyle);
        dialog.m_ofn.lpstrInitialDir = request.m_strInitialDir;
        dialog.m_ofn.lpstrTitle = request.m_strTitle;
        if (dialog.DoModal() != IDOK) {
            return FALSE;
        }
        pathName = dialog.GetPathName();
        return TRUE;
    }

    int ShowMessage(const char* text, const char* caption, UINT type) override {
        return MessageBoxA(nullptr, text, caption, type);
    }
};

}  // namespace

CExportShell& Win32ExportShell() {
    static CWin32ExportShell shell;
    return shell;
}

void ExportRampCommand(CWnd* parent, CString& folder, const lumatab::GammaRamp& ramp,
                       const lumatab::GammaTable& table, CExportShell& shell) {
    // Read into a string of its own, so a failed lookup leaves the caller's folder as it was.
    CString documents;
    if (shell.GetDocumentsFolder(documents)) {
        folder = documents;
    }

    const CSaveDialogRequest request = {"csv",
                                        "GammaRamp.csv",
                                        kSaveDialogFlags,
                                        "Comma Separated Values (*.csv)|*.csv|",
                                        parent,
                                        folder,
                                        "Exporting current Gammaramp",
                                        TRUE};
    CString pathName;
    if (!shell.RunSaveDialog(request, pathName)) {
        return;
    }

    // Written beside the target and moved over it when complete: a failure leaves the old file.
    CFile file;
    if (!file.Open(pathName)) {
        shell.ShowMessage("The list could not be exported, file open error.", "Lumatab",
                          MB_ICONERROR | MB_OK);
        return;
    }
    CFileByteSink sink(file);
    lumatab::WriteRampCsv(sink, ramp, table);
    file.Close();
    shell.ShowMessage("The list has been succesfully exported.", "Lumatab",
                      MB_ICONINFORMATION | MB_OK);
}
