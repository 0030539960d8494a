#include "core/datafile/leading_number.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace photara {
namespace {

bool skipped(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Walks the text, hiding the characters that do not count.
class Cursor {
  public:
    explicit Cursor(std::string_view text) : text_(text) { skip(); }
    bool atEnd() const { return pos_ >= text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[pos_]; }
    void advance() {
        ++pos_;
        skip();
    }

  private:
    void skip() {
        while (pos_ < text_.size() && skipped(text_[pos_])) ++pos_;
    }
    std::string_view text_;
    std::size_t pos_ = 0;
};

int digitValue(char c, int base) {
    int v = -1;
    if (isDigit(c))
        v = c - '0';
    else if (c >= 'a' && c <= 'f')
        v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
    return v < base ? v : -1;
}

// An "&H" or "&O" integer. Its digits are written out in hexadecimal (an octal digit is
// three bits) and the whole integer is converted once, so a value beyond a double's 53 bits
// rounds correctly instead of being rounded again after every digit.
double radixInteger(Cursor& cursor, int base) {
    const int bitsPerDigit = base == 16 ? 4 : 3;
    std::vector<bool> bits;
    for (int d = digitValue(cursor.peek(), base); d >= 0; d = digitValue(cursor.peek(), base)) {
        for (int b = bitsPerDigit - 1; b >= 0; --b) bits.push_back((d >> b & 1) != 0);
        cursor.advance();
    }
    if (bits.empty()) return 0;
    bits.insert(bits.begin(), (4 - bits.size() % 4) % 4, false);
    std::string hex;
    for (std::size_t i = 0; i < bits.size(); i += 4)
        hex += "0123456789abcdef"[bits[i] * 8 + bits[i + 1] * 4 + bits[i + 2] * 2 + bits[i + 3]];
    double value = 0;
    const auto [end, error] =
        std::from_chars(hex.data(), hex.data() + hex.size(), value, std::chars_format::hex);
    (void)end;
    return error == std::errc::result_out_of_range ? std::numeric_limits<double>::max() : value;
}

// Whether a number out of a double's range is out of it at the large end: its first
// significant digit stands at or left of the units place.
bool magnitudeAtLeastOne(std::string_view number) {
    const std::size_t e = number.find('e');
    const std::string_view mantissa = number.substr(0, e);
    long long exponent = 0;
    if (e != std::string_view::npos) {
        std::size_t i = e + 1;
        const bool minus = i < number.size() && number[i] == '-';
        if (i < number.size() && (number[i] == '-' || number[i] == '+')) ++i;
        for (; i < number.size() && exponent < 1'000'000'000; ++i)
            exponent = exponent * 10 + (number[i] - '0');
        if (minus) exponent = -exponent;
    }
    const std::size_t point = mantissa.find('.');
    const std::size_t integerDigits = point == std::string_view::npos ? mantissa.size() : point;
    const std::size_t first = mantissa.find_first_not_of("0.");
    if (first == std::string_view::npos) return false;  // all zeros
    // Position of the first significant digit relative to the units place.
    const long long place = first < integerDigits
                                ? static_cast<long long>(integerDigits - first) - 1
                                : -static_cast<long long>(first - integerDigits);
    return place + exponent >= 0;
}

}  // namespace

LeadingNumber readLeadingNumber(std::string_view text) {
    Cursor cursor(text);
    if (cursor.peek() == '&') {
        cursor.advance();
        const char kind = cursor.peek();
        const int base = kind == 'H' || kind == 'h' ? 16 : kind == 'O' || kind == 'o' ? 8 : 0;
        if (base == 0) return {};
        cursor.advance();
        const bool present = digitValue(cursor.peek(), base) >= 0;
        return {radixInteger(cursor, base), present, 0};
    }

    // Gather the number without the skipped characters, then let from_chars round it.
    std::string number;
    bool negative = false;
    if (cursor.peek() == '+' || cursor.peek() == '-') {
        negative = cursor.peek() == '-';
        cursor.advance();
    }
    bool anyDigit = false;
    int decimals = 0;
    while (isDigit(cursor.peek())) {
        number += cursor.peek();
        anyDigit = true;
        cursor.advance();
    }
    if (cursor.peek() == '.') {
        number += '.';
        cursor.advance();
        while (isDigit(cursor.peek())) {
            number += cursor.peek();
            anyDigit = true;
            ++decimals;
            cursor.advance();
        }
    }
    if (!anyDigit) return {};
    if (cursor.peek() == 'E' || cursor.peek() == 'e') {
        std::string exponent = "e";
        cursor.advance();
        const bool minus = cursor.peek() == '-';
        if (cursor.peek() == '+' || cursor.peek() == '-') {
            exponent += cursor.peek();
            cursor.advance();
        }
        long places = 0;  // enough to say the decimals: no field has a thousand
        bool exponentDigit = false;
        while (isDigit(cursor.peek())) {
            exponent += cursor.peek();
            if (places < 1000) places = places * 10 + (cursor.peek() - '0');
            exponentDigit = true;
            cursor.advance();
        }
        if (exponentDigit) {
            number += exponent;
            decimals -= static_cast<int>(minus ? -places : places);
        }
    }

    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // from_chars leaves value untouched: too small rounds to 0, too large saturates.
        value = magnitudeAtLeastOne(number) ? std::numeric_limits<double>::max() : 0.0;
    }
    return {negative ? -value : value, true, decimals};
}

double leadingNumber(std::string_view text) {
    return readLeadingNumber(text).value;
}

}  // namespace photara
