#include "cli/console.h"

#include <windows.h>

#include "framework/exceptions.h"
#include "framework/string.h"

namespace {

// Writes all of `text` to `hOutput`; FALSE, with GetLastError telling why, where it cannot.
BOOL WriteAll(HANDLE hOutput, const std::string& text) {
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(hOutput, &mode)) {
        const std::wstring wide = AfxAnsiToWide(text.c_str());
        return WriteConsoleW(hOutput, wide.data(), static_cast<DWORD>(wide.size()), &written,
                             nullptr);
    }
    for (std::size_t done = 0; done < text.size(); done += written) {
        if (!WriteFile(hOutput, text.data() + done, static_cast<DWORD>(text.size() - done),
                       &written, nullptr)) {
            return FALSE;
        }
        if (written == 0) {  // a short write: the disk took no more
            SetLastError(ERROR_DISK_FULL);
            return FALSE;
        }
    }
    return TRUE;
}

}  // namespace

void WriteOutput(const std::string& text) {
    if (!WriteAll(GetStdHandle(STD_OUTPUT_HANDLE), text)) {
        throw AfxLastErrorFailure("cannot write the output");
    }
}

void WriteError(const std::string& text) {
    WriteAll(GetStdHandle(STD_ERROR_HANDLE), text);
}
