#include "framework/exceptions.h"

#include <string>

void CException::ReportError(HWND owner) const {
    MessageBoxA(owner, GetErrorMessage(), AfxGetAppName(), MB_OK | MB_ICONERROR);
}

CString CInvalidArgException::GetErrorMessage() const {
    return "The program met an invalid argument and did not finish the last action.";
}

CFileException CFileException::FromOsError(LONG osError, const CString& fileName) {
    int cause = genericException;
    switch (osError) {
        case ERROR_ACCESS_DENIED:
            cause = accessDenied;
            break;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            cause = sharingViolation;
            break;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            cause = diskFull;
            break;
        case ERROR_HANDLE_EOF:
            cause = endOfFile;
            break;
        default:
            break;
    }
    return CFileException(cause, osError, fileName);
}

CString CFileException::GetErrorMessage() const {
    std::string text = "An error occurred while accessing the file \"";
    text += static_cast<const char*>(m_strFileName);
    text += "\".";
    char* system = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(m_lOsError), 0, reinterpret_cast<char*>(&system), 0, nullptr);
    if (length > 0 && system != nullptr) {
        std::string reason(system, length);
        while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r')) {
            reason.pop_back();
        }
        text += "\n" + reason;
    }
    LocalFree(system);
    return CString(text.c_str());
}

CString AfxGetAppName() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name(path, length < MAX_PATH ? length : 0);
    const std::size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos) {
        name.erase(0, slash + 1);
    }
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos) {
        name.erase(dot);
    }
    return CString(name.c_str());
}

void AfxThrowInvalidArgException() {
    throw CInvalidArgException();
}

void AfxThrowFileException(int cause, LONG osError, const CString& fileName) {
    throw CFileException(cause, osError, fileName);
}
