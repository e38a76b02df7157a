#include "framework/file_dialog.h"

#include <shobjidl.h>

#include <vector>

#include "framework/exceptions.h"

namespace {

// Releases a COM interface at the end of a scope; the pointer owns one reference.
template <typename T>
class CComRef {
public:
    CComRef() = default;
    CComRef(const CComRef&) = delete;
    CComRef& operator=(const CComRef&) = delete;
    ~CComRef() {
        if (m_p != nullptr) {
            m_p->Release();
        }
    }
    T* operator->() const { return m_p; }
    T** operator&() { return &m_p; }  // NOLINT: out-parameter of the creating call
    T* m_p = nullptr;
};

// Balances a CoInitializeEx that succeeded; a thread already in another apartment keeps it.
class CComApartment {
public:
    CComApartment()
        : m_hr(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    CComApartment(const CComApartment&) = delete;
    CComApartment& operator=(const CComApartment&) = delete;
    ~CComApartment() {
        if (SUCCEEDED(m_hr)) {
            CoUninitialize();
        }
    }

private:
    HRESULT m_hr;
};

// The classic flags the program uses that have a Vista-style option of their own; the others
// (OFN_HIDEREADONLY, OFN_EXPLORER) have none.
const struct {
    DWORD ofn;
    FILEOPENDIALOGOPTIONS fos;
} kOptionMap[] = {
    {OFN_OVERWRITEPROMPT, FOS_OVERWRITEPROMPT},
    {OFN_PATHMUSTEXIST, FOS_PATHMUSTEXIST},
    {OFN_FILEMUSTEXIST, FOS_FILEMUSTEXIST},
    {OFN_NOREADONLYRETURN, FOS_NOREADONLYRETURN},
};

// ANSI text in the process's code page to UTF-16.
std::wstring Widen(const char* text) {
    if (text == nullptr || *text == '\0') {
        return std::wstring();
    }
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 0) {
        return std::wstring();
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], length);
    wide.resize(static_cast<std::size_t>(length - 1));
    return wide;
}

// UTF-16 to the ANSI code page; FALSE when a character has no exact ANSI form, since a
// best-fit or default character would name a different file.
BOOL Narrow(const wchar_t* text, std::string& ansi) {
    const UINT codePage = GetACP();
    // UTF-8 spells every character and takes neither the flag nor the used-default query.
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = codePage == CP_UTF8 ? nullptr : &usedDefault;
    const int length =
        WideCharToMultiByte(codePage, flags, text, -1, nullptr, 0, nullptr, usedDefaultOut);
    if (length <= 0 || usedDefault) {
        return FALSE;
    }
    ansi.assign(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, flags, text, -1, &ansi[0], length, nullptr, usedDefaultOut);
    ansi.resize(static_cast<std::size_t>(length - 1));
    return !usedDefault;
}

}  // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, const char* defExt, const char* fileName,
                         DWORD flags, const char* filter, CWnd* parentWnd, DWORD size,
                         BOOL vistaStyle)
    : m_ofn(),
      m_bOpenFileDialog(bOpenFileDialog),
      m_bVistaStyle(vistaStyle),
      m_pParentWnd(parentWnd) {
    m_ofn.lStructSize = size != 0 ? size : sizeof(OPENFILENAMEA);
    m_ofn.Flags = flags | OFN_EXPLORER;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = MAX_PATH;
    if (fileName != nullptr) {
        lstrcpynA(m_szFileName, fileName, MAX_PATH);
    }
    if (defExt != nullptr) {
        m_strDefExt = defExt;
        m_ofn.lpstrDefExt = m_strDefExt.c_str();
    }
    if (filter != nullptr) {
        m_strFilter = filter;
        for (char& c : m_strFilter) {
            if (c == '|') {
                c = '\0';
            }
        }
        // The string's own terminator and this one end the list even without a final '|'.
        m_strFilter.push_back('\0');
        m_ofn.lpstrFilter = m_strFilter.c_str();
    }
}

INT_PTR CFileDialog::DoModal() {
    m_strPathName = CString();
    m_ofn.hwndOwner = m_pParentWnd != nullptr ? m_pParentWnd->GetSafeHwnd() : nullptr;
    if (m_bVistaStyle) {
        bool shown = false;
        const INT_PTR result = DoModalVista(shown);
        if (shown) {
            return result;
        }
    }
    return DoModalClassic();
}

INT_PTR CFileDialog::DoModalVista(bool& shown) {
    CComApartment apartment;
    CComRef<IFileDialog> dialog;
    const HRESULT created =
        m_bOpenFileDialog
            ? CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                               IID_IFileOpenDialog, reinterpret_cast<void**>(&dialog))
            : CoCreateInstance(CLSID_FileSaveDialog, nullptr, CLSCTX_INPROC_SERVER,
                               IID_IFileSaveDialog, reinterpret_cast<void**>(&dialog));
    if (FAILED(created)) {
        return IDCANCEL;  // not shown: the classic dialog stands in
    }

    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    options |= FOS_FORCEFILESYSTEM;
    for (const auto& entry : kOptionMap) {
        if ((m_ofn.Flags & entry.ofn) != 0) {
            options |= entry.fos;
        }
    }
    dialog->SetOptions(options);

    // The filter's strings must outlive SetFileTypes, so they are kept until the dialog ends.
    std::vector<std::wstring> filterTexts;
    for (const char* p = m_ofn.lpstrFilter; p != nullptr && *p != '\0'; p += lstrlenA(p) + 1) {
        filterTexts.push_back(Widen(p));
    }
    std::vector<COMDLG_FILTERSPEC> fileTypes;
    for (std::size_t i = 0; i + 1 < filterTexts.size(); i += 2) {
        fileTypes.push_back({filterTexts[i].c_str(), filterTexts[i + 1].c_str()});
    }
    if (!fileTypes.empty()) {
        dialog->SetFileTypes(static_cast<UINT>(fileTypes.size()), fileTypes.data());
        if (m_ofn.nFilterIndex != 0) {
            dialog->SetFileTypeIndex(m_ofn.nFilterIndex);
        }
    }
    if (m_ofn.lpstrDefExt != nullptr) {
        dialog->SetDefaultExtension(Widen(m_ofn.lpstrDefExt).c_str());
    }
    if (m_ofn.lpstrFile != nullptr && m_ofn.lpstrFile[0] != '\0') {
        dialog->SetFileName(Widen(m_ofn.lpstrFile).c_str());
    }
    if (m_ofn.lpstrTitle != nullptr) {
        dialog->SetTitle(Widen(m_ofn.lpstrTitle).c_str());
    }
    if (m_ofn.lpstrInitialDir != nullptr && m_ofn.lpstrInitialDir[0] != '\0') {
        CComRef<IShellItem> folder;
        if (SUCCEEDED(SHCreateItemFromParsingName(Widen(m_ofn.lpstrInitialDir).c_str(), nullptr,
                                                  IID_IShellItem,
                                                  reinterpret_cast<void**>(&folder)))) {
            dialog->SetFolder(folder.m_p);
        }
    }

    shown = true;
    if (FAILED(dialog->Show(m_ofn.hwndOwner))) {
        return IDCANCEL;  // cancelled, or the dialog could not run
    }
    CComRef<IShellItem> result;
    wchar_t* path = nullptr;
    if (FAILED(dialog->GetResult(&result)) ||
        FAILED(result->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
        return IDCANCEL;
    }
    const BOOL accepted = AcceptWidePath(path);
    CoTaskMemFree(path);
    return accepted ? IDOK : IDCANCEL;
}

INT_PTR CFileDialog::DoModalClassic() {
    const BOOL chosen = m_bOpenFileDialog ? GetOpenFileNameA(&m_ofn) : GetSaveFileNameA(&m_ofn);
    if (!chosen) {
        return IDCANCEL;
    }
    m_strPathName = m_ofn.lpstrFile;
    return IDOK;
}

BOOL CFileDialog::AcceptWidePath(const wchar_t* path) {
    std::string ansi;
    if (!Narrow(path, ansi)) {
        MessageBoxA(m_ofn.hwndOwner,
                    "The chosen file name contains characters that this program cannot use. "
                    "Please choose a name made of other characters.",
                    AfxGetAppName(), MB_ICONERROR | MB_OK);
        return FALSE;
    }
    m_strPathName = ansi.c_str();
    lstrcpynA(m_szFileName, ansi.c_str(), MAX_PATH);
    return TRUE;
}
