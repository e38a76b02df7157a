#include "core/printable_text.h"

namespace lumatab {

std::string PrintableText(std::string_view text) {
    static const char kHexDigits[] = "0123456789ABCDEF";
    std::string printable;
    printable.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            printable += {'\\', 'x', kHexDigits[byte >> 4], kHexDigits[byte & 0xF]};
        } else {
            printable += c;
        }
    }
    return printable;
}

std::string_view BaseName(std::string_view fileName) {
    const std::size_t slash = fileName.find_last_of("\\/:");
    return slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
}

}  // namespace lumatab
