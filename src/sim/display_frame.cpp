#include "sim/display_frame.h"

#include <string>

#include "sim/character_codes.h"

namespace photara::sim {
namespace {

std::size_t bitOf(Annunciator a) {
    return static_cast<std::size_t>(static_cast<int>(a) - kFirstAnnunciatorByte);
}

}  // namespace

DisplayFrame::DisplayFrame() {
    characters.fill(kBlankCode);
}

void DisplayFrame::light(Annunciator a, bool on) {
    annunciators.set(bitOf(a), on);
}

bool DisplayFrame::lit(Annunciator a) const {
    return annunciators.test(bitOf(a));
}

bool DisplayFrame::write(int first, std::string_view text) {
    bool all = true;
    int position = first;
    for (const char c : text) {
        if (position >= 1 && position <= 13) {
            const auto code = characterCode(position, c);
            characters[static_cast<std::size_t>(position - 1)] = code.value_or(kBlankCode);
            all = all && code.has_value();
        } else {
            all = false;
        }
        ++position;
    }
    return all;
}

void DisplayFrame::writeNumber(int first, int last, long long value, bool zeroPad) {
    const int width = last - first + 1;
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (static_cast<int>(digits.size()) > width) {
        digits = digits.substr(digits.size() - static_cast<std::size_t>(width));
    }
    const std::string pad(static_cast<std::size_t>(width) - digits.size(), zeroPad ? '0' : ' ');
    write(first, pad + digits);
}

void DisplayFrame::blank(int first, int last) {
    for (int p = first; p <= last; ++p) characters[static_cast<std::size_t>(p - 1)] = kBlankCode;
}

void DisplayFrame::writeTime(int hour, int minute, int second) {
    writeNumber(8, 9, hour, true);
    writeNumber(10, 11, minute, true);
    writeNumber(12, 13, second, true);
    separator1 = separator2 = Separator::Colon;
    light(Annunciator::Hms);
}

void DisplayFrame::writeDate(int year, int month, int day) {
    writeNumber(8, 9, year % 100, true);
    writeNumber(10, 11, month, true);
    writeNumber(12, 13, day, true);
    separator1 = separator2 = Separator::Slash;
    light(Annunciator::Ymd);
}

}  // namespace photara::sim
