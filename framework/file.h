// Files on disk for the class layer, opened through CreateFileA.
#pragma once

#include <windows.h>

#include "framework/exceptions.h"
#include "framework/string.h"

// A file opened by name. The object owns its HANDLE: Close or the destructor closes it.
// Bytes are written as given; there is no newline translation.
class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        // No share flag at all means exclusive access, like shareExclusive.
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        // Creates the file, or truncates an existing one unless modeNoTruncate is given too.
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
    };

    CFile() = default;
    // Closes a still-open file, ignoring any error.
    ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Opens `fileName`; on failure returns FALSE and, when `error` is given, fills it with the
    // cause, the OS error and the file name. Never throws.
    BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr);
    // Writes all `count` bytes; throws CFileException on a failed or short write.
    void Write(const void* data, UINT count);
    // Closes the file; throws CFileException if the system reports a failure. The handle is
    // released either way.
    void Close();

private:
    HANDLE m_hFile = INVALID_HANDLE_VALUE;
    CString m_strFileName;
};
