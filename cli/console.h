// The command line's output. To a console it goes as UTF-16, as Windows' own tools write, so that
// every letter of the code page shows as it is whatever the console's own code page; to a file or
// a pipe it goes as the ANSI code page's bytes.
#pragma once

#include <string>

// Writes `text` to standard output at once. Throws CFailure with the system's reason where it
// cannot: "cannot write the output: There is not enough space on the disk."
void WriteOutput(const std::string& text);
// Writes `text` to standard error at once; a failure there has nowhere to be told.
void WriteError(const std::string& text);
