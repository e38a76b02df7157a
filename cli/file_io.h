// Whole files in and out for the command-line program; failures throw CCliError naming the file
// as the user gave it and the system's reason.
#pragma once

#include <cstddef>
#include <string>

// The content of an existing file, which must hold no more than `maxSize` bytes.
std::string ReadWholeFile(const std::string& fileName, std::size_t maxSize);

// Creates or replaces the file with `bytes` through CFile: the target changes only once the
// whole content is written.
void WriteWholeFile(const std::string& fileName, const std::string& bytes);
