// A fresh folder under the system's temporary folder, removed with its files at the end.
#pragma once

#include <windows.h>

#include <string>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return m_path; }
    // The full name of `name` inside the folder.
    std::string File(const char* name) const { return m_path + "\\" + name; }

private:
    std::string m_path;
};

// The whole content of a file, or "<missing>" if it cannot be opened.
std::string ReadFileBytes(const std::string& path);
// Creates or replaces a file with the given bytes.
void WriteFileBytes(const std::string& path, const std::string& bytes);
