#include "framework/file_dialog.h"

#include <utility>
#include <vector>

#include "framework/handles.h"

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

CFileDialog::Outcome CFileDialog::DoModal() {
    m_strPathName = CString();
    m_bNameInCodePage = true;
    m_ofn.hwndOwner = m_pParentWnd != nullptr ? m_pParentWnd->GetSafeHwnd() : nullptr;
    const HRESULT hr = DoModalVista();
    if (hr == HRESULT_FROM_WIN32(ERROR_CANCELLED)) {
        return Outcome::Cancelled;
    }
    if (SUCCEEDED(hr)) {
        return m_bNameInCodePage ? Outcome::Chosen : Outcome::NameNotInCodePage;
    }
    // The newer dialog could not run: the classic one stands in.
    if (m_bOpenFileDialog ? GetOpenFileNameA(&m_ofn) : GetSaveFileNameA(&m_ofn)) {
        m_strPathName = m_ofn.lpstrFile;
        return Outcome::Chosen;
    }
    return CommDlgExtendedError() != 0 ? Outcome::CannotShow : Outcome::Cancelled;
}

HRESULT CFileDialog::DoModalVista() {
    CComPtr<IFileDialog> dialog;
    HRESULT hr = CoCreateInstance(m_bOpenFileDialog ? CLSID_FileOpenDialog : CLSID_FileSaveDialog,
                                  nullptr, CLSCTX_INPROC_SERVER, IID_IFileDialog, dialog.OutVoid());
    if (FAILED(hr)) {
        return hr;
    }
    SetUp(dialog.Get());
    CComPtr<IShellItem> result;
    CSystemHandle<wchar_t*, CoTaskMemFree> path;
    if (FAILED(hr = dialog->Show(m_ofn.hwndOwner)) ||
        FAILED(hr = dialog->GetResult(result.Out())) ||
        FAILED(hr = result->GetDisplayName(SIGDN_FILESYSPATH, path.Out()))) {
        return hr;
    }
    std::string ansi;
    m_bNameInCodePage = AfxWideToAnsi(path.Get(), GetACP(), ansi);
    m_strPathName = ansi.c_str();
    return S_OK;
}

void CFileDialog::SetUp(IFileDialog* dialog) const {
    // The classic flags that have an option of the newer dialog.
    const std::pair<DWORD, DWORD> kOptions[] = {{OFN_OVERWRITEPROMPT, FOS_OVERWRITEPROMPT},
                                                {OFN_PATHMUSTEXIST, FOS_PATHMUSTEXIST},
                                                {OFN_FILEMUSTEXIST, FOS_FILEMUSTEXIST},
                                                {OFN_NOREADONLYRETURN, FOS_NOREADONLYRETURN}};
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    options |= FOS_FORCEFILESYSTEM;
    for (const auto& [ofn, fos] : kOptions) {
        options |= (m_ofn.Flags & ofn) != 0 ? fos : 0;
    }
    dialog->SetOptions(options);

    // Description and pattern pairs; the strings must outlive SetFileTypes.
    std::vector<std::wstring> texts;
    for (const char* p = m_ofn.lpstrFilter; *p != '\0'; p += lstrlenA(p) + 1) {
        texts.push_back(AfxAnsiToWide(p));
    }
    std::vector<COMDLG_FILTERSPEC> fileTypes;
    for (std::size_t i = 0; i + 1 < texts.size(); i += 2) {
        fileTypes.push_back({texts[i].c_str(), texts[i + 1].c_str()});
    }
    dialog->SetFileTypes(static_cast<UINT>(fileTypes.size()), fileTypes.data());
    dialog->SetDefaultExtension(AfxAnsiToWide(m_ofn.lpstrDefExt).c_str());
    dialog->SetFileName(AfxAnsiToWide(m_ofn.lpstrFile).c_str());
    if (m_ofn.lpstrTitle != nullptr) {
        dialog->SetTitle(AfxAnsiToWide(m_ofn.lpstrTitle).c_str());
    }
    CComPtr<IShellItem> folder;
    if (m_ofn.lpstrInitialDir != nullptr &&
        SUCCEEDED(SHCreateItemFromParsingName(AfxAnsiToWide(m_ofn.lpstrInitialDir).c_str(), nullptr,
                                              IID_IShellItem, folder.OutVoid()))) {
        dialog->SetFolder(folder.Get());
    }
}
