#pragma once

#include <string_view>

namespace photara {

// The number at the start of a text, as every typed value and every value field of a data
// file is read: blanks, tabs and line feeds are skipped wherever they stand; then an
// optional sign, digits, an optional decimal point "." and an optional exponent (E or e)
// are read up to the first other character. "&H" and "&O" (either case) start a
// hexadecimal or octal integer. A text without a number at its start gives 0. Values
// beyond the range of a double saturate at the largest double of that sign.
double leadingNumber(std::string_view text);

// What leadingNumber reads, with what a writer needs to keep the text's precision: whether a
// number stood at the start at all (a field of "----" or "OL" holds none: its value is 0),
// and how many decimals it was written with (the digits after the point less the exponent,
// so "1.5E3" has -2; 0 for "&H" and "&O").
struct LeadingNumber {
    double value = 0;
    bool present = false;
    int decimals = 0;
};
LeadingNumber readLeadingNumber(std::string_view text);

}  // namespace photara
