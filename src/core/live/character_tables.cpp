#include "core/live/character_tables.h"

#include <array>
#include <span>

namespace photara {
namespace {

constexpr std::uint8_t kBlank = 10;
constexpr std::uint8_t kFirstLetter = 11;

// Letters of each table, from code 11 on.
constexpr std::array<std::string_view, 9> kLettersA = {"A", "C", "t", "r", "b", "E", "N", "D", "L"};
constexpr std::array<std::string_view, 6> kLettersB = {"t", "E", "P", "L", "F", "A"};
constexpr std::array<std::string_view, 4> kLettersC = {"-", "o", "C", "F"};
constexpr std::array<std::string_view, 12> kLettersD = {"F", "n", "Y", "E", "N", "o",
                                                        "C", "A", "r", "d", "u", "L"};

CharacterValue decodeWithLetters(std::uint8_t code, std::span<const std::string_view> letters) {
    if (code < kBlank) return int{code};
    if (code == kBlank) return std::string_view{};
    const std::size_t letter = code - kFirstLetter;
    if (letter < letters.size()) return letters[letter];
    return std::string_view{};
}

}  // namespace

std::string captionOf(const CharacterValue& value) {
    if (const int* n = std::get_if<int>(&value)) return std::to_string(*n);
    return std::string(std::get<std::string_view>(value));
}

CharacterValue decodeDigitOnly(std::uint8_t code) {
    if (code == kBlank) return std::string_view{};
    return int{code};
}

CharacterValue decodeTableA(std::uint8_t code) {
    return decodeWithLetters(code, kLettersA);
}
CharacterValue decodeTableB(std::uint8_t code) {
    return decodeWithLetters(code, kLettersB);
}
CharacterValue decodeTableC(std::uint8_t code) {
    return decodeWithLetters(code, kLettersC);
}
CharacterValue decodeTableD(std::uint8_t code) {
    return decodeWithLetters(code, kLettersD);
}

}  // namespace photara
