#include "ui/shell.h"

#include <shlobj.h>

#include "framework/exceptions.h"
#include "framework/file_dialog.h"
#include "platform/monitor_profile.h"

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
        if (dialog.DoModal() != IDOK) {
            return FALSE;
        }
        pathName = dialog.GetPathName();
        return TRUE;
    }

    void ShowMessage(CWnd* owner, const char* text, UINT type) override {
        AfxMessageBox(owner != nullptr ? owner->GetSafeHwnd() : nullptr, text, type);
    }

    std::string LocalTimeText() override { return CalibrationTimeNow(); }
};

}  // namespace

CShell& Win32Shell() {
    static CWin32Shell shell;
    return shell;
}
