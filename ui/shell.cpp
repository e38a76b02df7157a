#include "ui/shell.h"

#include <shlobj.h>

#include "diagnosis/files.h"
#include "framework/exceptions.h"
#include "framework/file_dialog.h"

namespace {

class CWin32Shell : public CShell {
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

    BOOL RunFileDialog(const CFileDialogRequest& request, CString& pathName) override {
        CFileDialog dialog(request.m_bOpenFileDialog, request.m_strDefExt, request.m_strFileName,
                           request.m_dwFlags, request.m_strFilter, request.m_pParentWnd);
        dialog.m_ofn.lpstrInitialDir = request.m_strInitialDir;
        dialog.m_ofn.lpstrTitle = request.m_strTitle;
        switch (dialog.DoModal()) {
            case CFileDialog::Outcome::Chosen:
                pathName = dialog.GetPathName();
                return TRUE;
            case CFileDialog::Outcome::Cancelled:
                return FALSE;
            case CFileDialog::Outcome::NameNotInCodePage:
                throw NameNotInCodePage(static_cast<const char*>(dialog.GetPathName()), GetACP());
            case CFileDialog::Outcome::CannotShow:
                break;
        }
        throw CFailure("the file dialog could not be shown");
    }

    void ShowMessage(CWnd* owner, const char* text, UINT type) override {
        AfxMessageBox(owner != nullptr ? owner->GetSafeHwnd() : nullptr, text, type);
    }
};

}  // namespace

CShell& Win32Shell() {
    static CWin32Shell shell;
    return shell;
}
