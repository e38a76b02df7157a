// Number texts for what the user reads and what files hold: exact, and the same in every locale.
#pragma once

#include <charconv>
#include <string>

namespace lumatab {

// Fixed-point text with `decimals` (at most 10) decimals, as "%.*f" gives in the C locale.
inline std::string FormatFixed(double value, int decimals) {
    char text[330];  // the largest double has 309 integer digits
    return std::string(
        text,
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr);
}

// Decimal text of a whole number.
template <typename Integer>
std::string FormatWhole(Integer value) {
    char text[24];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

// "07" for 7: two digits at least, as times and dates show hours, minutes, days and months.
inline std::string FormatTwoDigits(int value) {
    return (value >= 0 && value < 10 ? "0" : "") + FormatWhole(value);
}

}  // namespace lumatab
