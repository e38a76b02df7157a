#include "framework/file_dialog.h"

#include <shobjidl.h>

#include <utility>
#include <vector>

#include "framework/exceptions.h"

namespace {

// Owns one reference to a COM interface.
template <typename T>
struct CComRef {
    ~CComRef() {
        if (m_p != nullptr) {
            m_p->Release();
        }
    }
    void** Out() { return reinterpret_cast<void**>(&m_p); }
    T* m_p = nullptr;
};

// ANSI text in the process's code page to UTF-16.
std::wstring Widen(const char* text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], length);
    wide.pop_back();
    return wide;
}

}  // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, const char* defExt, const char* fileName,
                         DWORD flags, const char* filter, CWnd* parentWnd)
    : m_ofn(),
      m_bOpenFileDialog(bOpenFileDialog),
      m_pParentWnd(parentWnd),
      m_strFilter(filter),
      m_strDefExt(defExt) {
    m_ofn.lStructSize = sizeof(OPENFILENAMEA);
    m_ofn.Flags = flags | OFN_EXPLORER;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = MAX_PATH;
    lstrcpynA(m_szFileName, fileName, MAX_PATH);
    m_ofn.lpstrDefExt = m_strDefExt.c_str();
    for (char& c : m_strFilter) {
        c = c == '|' ? '\0' : c;
    }
    // The string's own terminator and this one end the list even without a final '|'.
    m_strFilter.push_back('\0');
    m_ofn.lpstrFilter = m_strFilter.c_str();
}

INT_PTR CFileDialog::DoModal() {
    m_strPathName = CString();
    m_ofn.hwndOwner = m_pParentWnd != nullptr ? m_pParentWnd->GetSafeHwnd() : nullptr;
    const HRESULT hr = DoModalVista();
    if (SUCCEEDED(hr) || hr == HRESULT_FROM_WIN32(ERROR_CANCELLED)) {
        return m_strPathName.IsEmpty() ? IDCANCEL : IDOK;
    }
    // The newer dialog could not run: the classic one stands in.
    if (m_bOpenFileDialog ? GetOpenFileNameA(&m_ofn) : GetSaveFileNameA(&m_ofn)) {
        m_strPathName = m_ofn.lpstrFile;
        return IDOK;
    }
    if (CommDlgExtendedError() != 0) {
        AfxMessageBox(m_ofn.hwndOwner, "The file dialog could not be shown.", MB_ICONERROR | MB_OK);
    }
    return IDCANCEL;
}

HRESULT CFileDialog::DoModalVista() {
    CComRef<IFileDialog> dialog;
    HRESULT hr = CoCreateInstance(m_bOpenFileDialog ? CLSID_FileOpenDialog : CLSID_FileSaveDialog,
                                  nullptr, CLSCTX_INPROC_SERVER, IID_IFileDialog, dialog.Out());
    if (FAILED(hr)) {
        return hr;
    }
    // The classic flags that have an option of the newer dialog.
    const std::pair<DWORD, DWORD> kOptions[] = {{OFN_OVERWRITEPROMPT, FOS_OVERWRITEPROMPT},
                                                {OFN_PATHMUSTEXIST, FOS_PATHMUSTEXIST},
                                                {OFN_FILEMUSTEXIST, FOS_FILEMUSTEXIST},
                                                {OFN_NOREADONLYRETURN, FOS_NOREADONLYRETURN}};
    FILEOPENDIALOGOPTIONS options = 0;
    dialog.m_p->GetOptions(&options);
    options |= FOS_FORCEFILESYSTEM;
    for (const auto& [ofn, fos] : kOptions) {
        options |= (m_ofn.Flags & ofn) != 0 ? fos : 0;
    }
    dialog.m_p->SetOptions(options);

    // Description and pattern pairs; the strings must outlive SetFileTypes.
    std::vector<std::wstring> texts;
    for (const char* p = m_ofn.lpstrFilter; *p != '\0'; p += lstrlenA(p) + 1) {
        texts.push_back(Widen(p));
    }
    std::vector<COMDLG_FILTERSPEC> fileTypes;
    for (std::size_t i = 0; i + 1 < texts.size(); i += 2) {
        fileTypes.push_back({texts[i].c_str(), texts[i + 1].c_str()});
    }
    dialog.m_p->SetFileTypes(static_cast<UINT>(fileTypes.size()), fileTypes.data());
    dialog.m_p->SetDefaultExtension(Widen(m_ofn.lpstrDefExt).c_str());
    dialog.m_p->SetFileName(Widen(m_ofn.lpstrFile).c_str());
    if (m_ofn.lpstrTitle != nullptr) {
        dialog.m_p->SetTitle(Widen(m_ofn.lpstrTitle).c_str());
    }
    CComRef<IShellItem> folder;
    if (m_ofn.lpstrInitialDir != nullptr &&
        SUCCEEDED(SHCreateItemFromParsingName(Widen(m_ofn.lpstrInitialDir).c_str(), nullptr,
                                              IID_IShellItem, folder.Out()))) {
        dialog.m_p->SetFolder(folder.m_p);
    }

    CComRef<IShellItem> result;
    wchar_t* path = nullptr;  // allocated by GetDisplayName, freed below
    if (FAILED(hr = dialog.m_p->Show(m_ofn.hwndOwner)) ||
        FAILED(hr = dialog.m_p->GetResult(&result.m_p)) ||
        FAILED(hr = result.m_p->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
        return hr;
    }
    std::string ansi;
    if (AfxWideToAnsi(path, GetACP(), ansi)) {
        m_strPathName = ansi.c_str();
    } else {
        AfxMessageBox(m_ofn.hwndOwner,
                      "The chosen file name contains characters that this program cannot use. "
                      "Please choose a name made of other characters.",
                      MB_ICONERROR | MB_OK);
    }
    CoTaskMemFree(path);
    return S_OK;
}
