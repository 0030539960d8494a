#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace photara {

// A data file is the data text verbatim followed by CR LF.
std::string dataFileBytes(std::string_view dataText);

// The data text a data file holds: its bytes less the line end the writer appended (CR LF,
// or a lone CR), so a reopened file reads exactly like the set that was saved and saving it
// again writes the same bytes. A file without any CR whose lines end in LF (an editor or a
// checkout converted its line ends) gets its CR LF line ends back first.
std::string dataTextOfFile(std::string_view fileBytes);

enum class DataTextKind {
    Readings,    // a data file with at least one reading
    NoReadings,  // a data file of a set without readings
    Foreign,     // not a data file
};

// Whether a data text is one the meter wrote: the CAF and CCF lines stand where the layout
// puts them, and every reading's date and time column holds a date and a time. Anything
// else (random bytes, another program's text) must not be plotted as readings.
DataTextKind classifyDataText(std::string_view dataText);

// The largest set a meter holds is 832,000 bytes; anything much larger is not a data file
// and is refused before it is read.
inline constexpr std::size_t kMaximumDataFileBytes = 8 * 1024 * 1024;

}  // namespace photara
