#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace photara {

// What one character code decodes to: a number, shown as its decimal text ("7"), or a
// letter, a sign or the empty text. The word corrections compare numbers as numbers and
// letters as case-sensitive texts, so the two stay apart.
using CharacterValue = std::variant<int, std::string_view>;

inline bool shows(const CharacterValue& value, int number) {
    const int* n = std::get_if<int>(&value);
    return n != nullptr && *n == number;
}

inline bool shows(const CharacterValue& value, std::string_view text) {
    const std::string_view* t = std::get_if<std::string_view>(&value);
    return t != nullptr && *t == text;
}

std::string captionOf(const CharacterValue& value);

// The five decoding tables. Codes 0..9 are digits and 10 is a blank position in all of them;
// codes from 11 up are letters or signs whose meaning depends on the table. A code a table
// does not list decodes to the empty text. The digit-only table shows every code but 10 as
// its number.
CharacterValue decodeDigitOnly(std::uint8_t code);
CharacterValue decodeTableA(std::uint8_t code);
CharacterValue decodeTableB(std::uint8_t code);
CharacterValue decodeTableC(std::uint8_t code);
CharacterValue decodeTableD(std::uint8_t code);

}  // namespace photara
