// Files as both front-ends write them, and the names they cannot take.
#pragma once

#include <functional>
#include <string>

#include "core/byte_sink.h"
#include "framework/exceptions.h"

// Writes the file `path` whole through `write`: into a temporary file beside it, moved over it
// once complete, so that a failure leaves an existing file as it was and no part of the new one.
// Returns the name of the file written as the system resolves it, its last part without trailing
// dots and blanks ("t.csv." is written as "t.csv"). Throws CFailure: `cannot write "x.csv":
// Access is denied.`, NothingWritten() where the file could not even be created or replaced; and
// as CheckFileName does, before any file call.
std::string WriteFileWhole(const std::string& path,
                           const std::function<void(lumatab::ByteSink&)>& write);

// Throws CFailure for a name that is no file's: empty or only blanks (`" " is not a valid file
// name`), or a device's, which Windows takes whatever the folder and extension (`"COM1" is the
// name of a device, not of a file`; so are CON, PRN, AUX, NUL, COM1-9 and LPT1-9).
void CheckFileName(const std::string& path);

// The failure for a name with characters that the code page `codePage` cannot spell, shown with
// `?` for each of them: `"sub?ramp.csv" has characters that this system's code page (1252)
// cannot spell`.
CFailure NameNotInCodePage(const std::string& shown, unsigned codePage);
