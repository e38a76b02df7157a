#include "diagnosis/files.h"

#include <cctype>

#include "framework/file.h"

namespace {

constexpr char kTrailing[] = ". ";

std::size_t LastPartStart(const std::string& path) {
    const std::size_t separator = path.find_last_of("\\/:");
    return separator == std::string::npos ? 0 : separator + 1;
}

// The last part of the path without its trailing dots and blanks, which Windows drops; a part
// of dots alone ("." or "..") stays.
std::string Resolved(const std::string& path) {
    const std::size_t start = LastPartStart(path);
    if (path.find_first_not_of('.', start) == std::string::npos) {
        return path;
    }
    const std::size_t end = path.find_last_not_of(kTrailing);
    return path.substr(0, end == std::string::npos || end < start ? start : end + 1);
}

bool IsDeviceName(std::string name) {
    name = name.substr(0, name.find('.'));
    name.erase(name.find_last_not_of(' ') + 1);
    for (char& c : name) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    const bool numbered = name.size() == 4 &&
                          (name.compare(0, 3, "COM") == 0 || name.compare(0, 3, "LPT") == 0) &&
                          name[3] >= '1' && name[3] <= '9';
    return numbered || name == "CON" || name == "PRN" || name == "AUX" || name == "NUL" ||
           name == "CONIN$" || name == "CONOUT$";
}

CFailure CannotWrite(const std::string& path, DWORD error, bool nothingWritten) {
    return CFailure(
        "cannot write \"" + path + "\": " + static_cast<const char*>(AfxSystemErrorText(error)),
        nothingWritten);
}

}  // namespace

void CheckFileName(const std::string& path) {
    if (path.find_first_not_of(' ') == std::string::npos) {
        throw CFailure("\"" + path + "\" is not a valid file name");
    }
    if (IsDeviceName(Resolved(path).substr(LastPartStart(path)))) {
        throw CFailure("\"" + path + "\" is the name of a device, not of a file");
    }
}

std::string WriteFileWhole(const std::string& path,
                           const std::function<void(lumatab::ByteSink&)>& write) {
    CheckFileName(path);
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
    return Resolved(path);
}

CFailure NameNotInCodePage(const std::string& shown, unsigned codePage) {
    return CFailure("\"" + shown + "\" has characters that this system's code page (" +
                    std::to_string(codePage) + ") cannot spell");
}
