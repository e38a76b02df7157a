// The command line read in UTF-16 and handed on in the ANSI code page, which the "A" calls take:
// the system's own ANSI arguments change a character without an ANSI form into a look-alike, so
// that U+2215 DIVISION SLASH would become a folder separator.
#pragma once

#include "cli/arguments.h"

// Parses `commandLine` (GetCommandLineW's form) as ParseArguments does. Throws CFailure for an
// argument that the code page `codePage` cannot spell exactly.
CliArguments ParseCommandLine(const wchar_t* commandLine, unsigned int codePage);
