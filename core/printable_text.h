// Text from outside (a file name, a line of a file) made safe to put in a one-line message, and
// the part of a path that messages name a file by.
#pragma once

#include <string>
#include <string_view>

namespace lumatab {

// `text` with each control character (0x00-0x1F, 0x7F) written as \x and two upper-case hex
// digits: a line feed cannot split a message, nor an escape drive the terminal. Other bytes,
// those of the code page's letters included, stay as they are.
std::string PrintableText(std::string_view text);

// The name of a file without its folder: what follows the last '\\', '/' or ':'.
std::string_view BaseName(std::string_view fileName);

}  // namespace lumatab
