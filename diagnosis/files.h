// Files as both front-ends write them, and the names they cannot take.
#pragma once

#include <functional>
#include <string>

#include "core/byte_sink.h"
#include "framework/exceptions.h"

// Writes the file `path` whole through `write`: into a temporary file beside it, moved over it
// once complete, so that a failure leaves an existing file as it was and no part of the new one.
// Throws CFailure: `cannot write "x.csv": Access is denied.`, NothingWritten() where the file
// could not even be created or replaced.
void WriteFileWhole(const std::string& path, const std::function<void(lumatab::ByteSink&)>& write);

// The failure for a name with characters that the code page `codePage` cannot spell, shown with
// `?` for each of them: `"sub?ramp.csv" has characters that this system's code page (1252)
// cannot spell`.
CFailure NameNotInCodePage(const std::string& shown, unsigned codePage);
