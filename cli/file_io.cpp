#include "cli/file_io.h"

#include <windows.h>

#include <memory>

#include "cli/cli_error.h"
#include "framework/file.h"

namespace {

// The system's text for an error code, on one line.
std::string SystemReason(DWORD error) {
    char* text = nullptr;  // allocated by FormatMessageA, freed below
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string reason = length > 0 ? std::string(text, length) : "";
    LocalFree(text);
    for (char& c : reason) {
        c = c == '\r' || c == '\n' ? ' ' : c;
    }
    reason.erase(reason.find_last_not_of(' ') + 1);
    return reason.empty() ? "system error " + std::to_string(error) : reason;
}

std::string Quoted(const std::string& fileName) {
    return '"' + fileName + '"';
}

[[noreturn]] void ThrowCannotWrite(const std::string& fileName, const std::string& reason) {
    throw CCliError("cannot write " + Quoted(fileName) + ": " + reason);
}

struct CHandleCloser {
    void operator()(HANDLE handle) const {
        if (handle != INVALID_HANDLE_VALUE) {
            CloseHandle(handle);
        }
    }
};
using CHandlePtr = std::unique_ptr<void, CHandleCloser>;

}  // namespace

std::string ReadWholeFile(const std::string& fileName, std::size_t maxSize) {
    const CHandlePtr file(CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (file.get() == INVALID_HANDLE_VALUE || !GetFileSizeEx(file.get(), &size)) {
        throw CCliError("cannot read " + Quoted(fileName) + ": " + SystemReason(GetLastError()));
    }
    if (static_cast<unsigned long long>(size.QuadPart) > maxSize) {
        throw CCliError("cannot read " + Quoted(fileName) + ": it holds more than " +
                        std::to_string(maxSize) + " bytes");
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        DWORD read = 0;
        if (!ReadFile(file.get(), &bytes[filled], static_cast<DWORD>(bytes.size() - filled), &read,
                      nullptr)) {
            throw CCliError("cannot read " + Quoted(fileName) + ": " +
                            SystemReason(GetLastError()));
        }
        if (read == 0) {
            break;  // the file shrank while it was read
        }
        filled += read;
    }
    bytes.resize(filled);
    return bytes;
}

void WriteWholeFile(const std::string& fileName, const std::string& bytes) {
    // CFile puts its temporary file in the folder before the last backslash: the full path has
    // one, whatever separator or relative form the user typed.
    const DWORD capacity = GetFullPathNameA(fileName.c_str(), 0, nullptr, nullptr);
    if (capacity == 0) {
        ThrowCannotWrite(fileName, SystemReason(GetLastError()));
    }
    std::string fullPath(capacity, '\0');
    fullPath.resize(GetFullPathNameA(fileName.c_str(), capacity, &fullPath[0], nullptr));

    CFile file;
    if (!file.Open(fullPath.c_str())) {
        const DWORD error = GetLastError();
        // Open refuses these two itself, after a query that succeeded: GetLastError says nothing.
        const DWORD attributes = GetFileAttributesA(fullPath.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            ThrowCannotWrite(fileName, "it is a folder");
        }
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
            ThrowCannotWrite(fileName, "the file is read-only");
        }
        ThrowCannotWrite(fileName, SystemReason(error));
    }
    try {
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
        file.Close();
    } catch (const CFileException& e) {
        ThrowCannotWrite(fileName, SystemReason(static_cast<DWORD>(e.m_lOsError)));
    }
}
