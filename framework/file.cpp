#include "framework/file.h"

#include <algorithm>

#include "framework/handles.h"

CFile::~CFile() {
    Discard();
}

BOOL CFile::Open(const char* fileName) {
    Discard();
    // The full path names the folder for the temporary file, whatever form the name came in.
    char target[MAX_PATH];
    const DWORD length = GetFullPathNameA(fileName, MAX_PATH, target, nullptr);
    if (length == 0 || length >= MAX_PATH) {
        SetLastError(length == 0 ? GetLastError() : ERROR_FILENAME_EXCED_RANGE);
        return FALSE;
    }
    // A read-only file or a folder is refused here, before anything is written (the system may
    // let an administrator open a read-only file), and so is a file held open elsewhere.
    const DWORD attributes = GetFileAttributesA(target);
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (CFileHandle(CreateFileA(target, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr)) == INVALID_HANDLE_VALUE &&
        GetLastError() != ERROR_FILE_NOT_FOUND) {
        return FALSE;
    }
    m_strFileName = target;
    return CreateTemporaryFile();
}

BOOL CFile::CreateTemporaryFile() {
    // The temporary file lies in the target's folder, so that the final move is a rename. It
    // takes the target's name with the end replaced by "~" and a counter: no longer than the
    // target's path, it fits wherever the target fits. CREATE_NEW never takes another's file.
    const int length = lstrlenA(m_strFileName);
    const int nameStart = m_strFileName.ReverseFind('\\') + 1;
    for (int counter = 1; counter <= 100; ++counter) {
        const std::string suffix = "~" + std::to_string(counter);
        CString tempName =
            m_strFileName.Left(std::max(nameStart, length - static_cast<int>(suffix.size())));
        tempName += suffix.c_str();
        if (lstrlenA(tempName) >= MAX_PATH) {  // a name shorter than the suffix, at the limit
            SetLastError(ERROR_FILENAME_EXCED_RANGE);
            return FALSE;
        }
        if (lstrcmpiA(tempName, m_strFileName) == 0) {
            continue;
        }
        m_hFile = CreateFileA(tempName, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        if (m_hFile != INVALID_HANDLE_VALUE) {
            m_strTempName = tempName;
            return TRUE;
        }
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) {
            return FALSE;
        }
    }
    return FALSE;
}

void CFile::Write(const void* data, std::size_t count) {
    DWORD written = 0;
    if (!WriteFile(m_hFile, data, static_cast<DWORD>(count), &written, nullptr)) {
        ThrowLastError();
    }
    if (written != count) {
        SetLastError(ERROR_DISK_FULL);  // a short write: the disk took no more
        ThrowLastError();
    }
}

void CFile::Close() {
    if (!FlushFileBuffers(m_hFile)) {
        ThrowLastError();
    }
    const HANDLE hFile = m_hFile;
    m_hFile = INVALID_HANDLE_VALUE;
    if (!CloseHandle(hFile) || !MoveFileExA(m_strTempName, m_strFileName,
                                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ThrowLastError();
    }
    m_strTempName = CString();
}

void CFile::Discard() {
    if (m_hFile != INVALID_HANDLE_VALUE) {
        CloseHandle(m_hFile);
        m_hFile = INVALID_HANDLE_VALUE;
    }
    if (!m_strTempName.IsEmpty()) {
        DeleteFileA(m_strTempName);
        m_strTempName = CString();
    }
}

void CFile::ThrowLastError() {
    const LONG osError = static_cast<LONG>(GetLastError());
    // The file is no more use: a later Close must not put what was written so far in place.
    Discard();
    throw CFileException{osError, m_strFileName};
}

BOOL ReadWholeFile(const char* fileName, std::string& bytes, DWORD maxBytes) {
    // A file an editor holds open for writing is still read, as other programs read it.
    const CFileHandle hFile(CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (hFile == INVALID_HANDLE_VALUE) {
        return FALSE;
    }
    LARGE_INTEGER size = {};
    DWORD read = 0;
    BOOL ok = GetFileSizeEx(hFile, &size);
    if (ok && size.QuadPart > maxBytes) {
        SetLastError(ERROR_FILE_TOO_LARGE);
        ok = FALSE;
    }
    if (ok) {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
        ok = ReadFile(hFile, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr) &&
             read == bytes.size();
    }
    return ok;
}
