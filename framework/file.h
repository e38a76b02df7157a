// A file on disk written whole or not at all, through CreateFileA.
#pragma once

#include <windows.h>

#include <string>

#include "core/byte_sink.h"
#include "framework/exceptions.h"
#include "framework/string.h"

// Creates or replaces a file without ever leaving it half written. Open checks that the target
// may be replaced and creates a new temporary file beside it; Write fills the temporary file;
// Close flushes it and moves it over the target. Until Close succeeds the target is exactly as it
// was, and a temporary file that is never completed is removed. Bytes are written as given (no
// newline translation), and nobody else may open the temporary file while it is written. The
// file writers of the window and the command line write straight into it.
class CFile : public lumatab::ByteSink {
public:
    CFile() = default;
    // Removes a temporary file that was not completed.
    ~CFile() override;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // FALSE, with GetLastError telling why, when the target cannot be replaced (held open
    // elsewhere, read-only, a folder, no such folder) or no temporary file can be made beside it
    // (ERROR_FILENAME_EXCED_RANGE where even its shortest name would pass MAX_PATH).
    // Never throws.
    BOOL Open(const char* fileName);
    // Writes all `count` bytes; throws CFileException, naming the target, on a failed or short
    // write.
    void Write(const void* data, std::size_t count) override;
    // Completes the file and puts it in place; throws CFileException, naming the target, if any
    // step fails, and the target then stays as it was.
    void Close();

private:
    // Creates a new temporary file beside the target; FALSE, with GetLastError telling why, if
    // none can be made.
    BOOL CreateTemporaryFile();
    // Closes and deletes the temporary file.
    void Discard();
    [[noreturn]] void ThrowLastError();

    HANDLE m_hFile = INVALID_HANDLE_VALUE;  // the temporary file, owned by this object
    CString m_strFileName;                  // the target's full path
    CString m_strTempName;
};

// Reads all of a file of at most `maxBytes`, also while another program has it open for writing;
// FALSE, with GetLastError telling why, if it cannot (ERROR_FILE_TOO_LARGE for a larger file).
BOOL ReadWholeFile(const char* fileName, std::string& bytes, DWORD maxBytes);
