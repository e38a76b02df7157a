#include "diagnosis/files.h"

#include "framework/file.h"

namespace {

CFailure CannotWrite(const std::string& path, DWORD error, bool nothingWritten) {
    return CFailure(
        "cannot write \"" + path + "\": " + static_cast<const char*>(AfxSystemErrorText(error)),
        nothingWritten);
}

}  // namespace

void WriteFileWhole(const std::string& path, const std::function<void(lumatab::ByteSink&)>& write) {
    CFile file;
    if (!file.Open(path.c_str())) {
        throw CannotWrite(path, GetLastError(), true);
    }
    try {
        write(file);
        file.Close();
    } catch (const CFileException& e) {
        throw CannotWrite(path, static_cast<DWORD>(e.m_lOsError), false);
    }
}

CFailure NameNotInCodePage(const std::string& shown, unsigned codePage) {
    return CFailure("\"" + shown + "\" has characters that this system's code page (" +
                    std::to_string(codePage) + ") cannot spell");
}
