#include "framework/file.h"

namespace {

constexpr UINT kAccessMask = 0x0003;
constexpr UINT kShareMask = 0x0070;

// Translates the access bits into CreateFileA's desired access; FALSE for an invalid value.
BOOL DesiredAccess(UINT openFlags, DWORD& access) {
    switch (openFlags & kAccessMask) {
        case CFile::modeRead:
            access = GENERIC_READ;
            return TRUE;
        case CFile::modeWrite:
            access = GENERIC_WRITE;
            return TRUE;
        case CFile::modeReadWrite:
            access = GENERIC_READ | GENERIC_WRITE;
            return TRUE;
        default:
            return FALSE;
    }
}

// Translates the share bits into CreateFileA's share mode; FALSE for an invalid value.
BOOL ShareMode(UINT openFlags, DWORD& share) {
    switch (openFlags & kShareMask) {
        case 0:
        case CFile::shareExclusive:
            share = 0;
            return TRUE;
        case CFile::shareDenyWrite:
            share = FILE_SHARE_READ;
            return TRUE;
        case CFile::shareDenyRead:
            share = FILE_SHARE_WRITE;
            return TRUE;
        case CFile::shareDenyNone:
            share = FILE_SHARE_READ | FILE_SHARE_WRITE;
            return TRUE;
        default:
            return FALSE;
    }
}

DWORD CreationDisposition(UINT openFlags) {
    if ((openFlags & CFile::modeCreate) == 0) {
        return OPEN_EXISTING;
    }
    return (openFlags & CFile::modeNoTruncate) != 0 ? OPEN_ALWAYS : CREATE_ALWAYS;
}

}  // namespace

CFile::~CFile() {
    if (m_hFile != INVALID_HANDLE_VALUE) {
        CloseHandle(m_hFile);
    }
}

BOOL CFile::Open(const char* fileName, UINT openFlags, CFileException* error) {
    const CString name(fileName);
    if (m_hFile != INVALID_HANDLE_VALUE) {
        CloseHandle(m_hFile);
        m_hFile = INVALID_HANDLE_VALUE;
    }
    m_strFileName = name;
    DWORD access = 0;
    DWORD share = 0;
    if (!DesiredAccess(openFlags, access) || !ShareMode(openFlags, share)) {
        if (error != nullptr) {
            *error = CFileException::FromOsError(ERROR_INVALID_PARAMETER, name);
        }
        return FALSE;
    }
    const HANDLE handle = CreateFileA(name, access, share, nullptr, CreationDisposition(openFlags),
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        if (error != nullptr) {
            *error = CFileException::FromOsError(static_cast<LONG>(GetLastError()), name);
        }
        return FALSE;
    }
    m_hFile = handle;
    return TRUE;
}

void CFile::Write(const void* data, UINT count) {
    if (m_hFile == INVALID_HANDLE_VALUE) {
        AfxThrowFileException(CFileException::genericException, ERROR_INVALID_HANDLE,
                              m_strFileName);
    }
    if (count == 0) {
        return;
    }
    DWORD written = 0;
    if (!WriteFile(m_hFile, data, count, &written, nullptr)) {
        throw CFileException::FromOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    }
    if (written != count) {
        AfxThrowFileException(CFileException::diskFull, ERROR_DISK_FULL, m_strFileName);
    }
}

void CFile::Close() {
    if (m_hFile == INVALID_HANDLE_VALUE) {
        return;
    }
    const HANDLE handle = m_hFile;
    m_hFile = INVALID_HANDLE_VALUE;
    if (!CloseHandle(handle)) {
        throw CFileException::FromOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    }
}
