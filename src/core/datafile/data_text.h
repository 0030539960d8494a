#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace photara {

// Where the fields stand in a line of the data text, counted from 1 as the meter's
// documentation counts them.
struct Column {
    std::size_t position;  // first character, from 1
    std::size_t width;
};

namespace columns {
inline constexpr Column kDateTime{1, 21};     // date, three blanks, time
inline constexpr Column kFirstValue{22, 10};  // cd/m2, with "K"/"M"
inline constexpr Column kFirstUnit{32, 5};
inline constexpr Column kSecondValue{37, 9};  // fL, with "K"/"M"
inline constexpr Column kSecondUnit{46, 2};
inline constexpr Column kTrailerValue{5, 10};  // the value on the CAF and CCF lines
}  // namespace columns

// Added to a series maximum each time a value rises above it.
inline constexpr double kFirstSeriesMargin = 50;
inline constexpr double kSecondSeriesMargin = 200;

// The lines of a data text: every LF removed, then split at each CR. A text ending in CR
// has an empty last line; an empty text is one empty line. Lines without an LF inside are
// views into the text itself, so the text must outlive the object; only the rare line with
// an LF inside is copied.
class DataLines {
  public:
    explicit DataLines(std::string_view dataText);
    DataLines(const DataLines&) = delete;
    DataLines& operator=(const DataLines&) = delete;

    std::size_t size() const { return lines_.size(); }
    std::string_view operator[](std::size_t i) const { return lines_[i]; }

  private:
    std::deque<std::string> copies_;  // lines that had an LF inside, without it
    std::vector<std::string_view> lines_;
};

// The characters of a field; a line shorter than the field gives a shorter or empty one.
std::string_view field(std::string_view line, Column column);

// Every blank (space) removed; tabs and other bytes are kept.
std::string withoutBlanks(std::string_view text);

// Every run of three blanks, taken from the left without overlap, becomes one blank: the
// meter's "date   time" reads "date time".
std::string timeText(std::string_view dateTimeField);

// The number a value field (blanks already removed) stands for: its leading number, times
// 1000 if it holds an uppercase "K", then times 1000000 if it holds an uppercase "M".
double fieldValue(std::string_view blanklessField);

// A series maximum follows its values with a margin: a value above the maximum raises it
// to the value plus the margin (100 then 140 leaves 150; 100 then 160 gives 210).
void raiseMaximum(double& maximum, double value, double margin);

}  // namespace photara
