#include "core/printable_text.h"

#include <gtest/gtest.h>

#include <string>

namespace lumatab {
namespace {

TEST(PrintableText, WritesControlCharactersAsTwoUpperCaseHexDigitsAndKeepsTheRest) {
    const struct {
        std::string text, printable;
    } kCases[] = {
        {"C:\\ramps\\caf\xE9 ~1.csv", "C:\\ramps\\caf\xE9 ~1.csv"},  // letters above 0x7F too
        {"a\nb", "a\\x0Ab"},
        {"\x1B[2J", "\\x1B[2J"},
        {std::string("\0\x1F\x7F", 3), "\\x00\\x1F\\x7F"},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(PrintableText(c.text), c.printable);
    }
}

}  // namespace
}  // namespace lumatab
