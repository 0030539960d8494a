#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace photara {

// A data file is the data text verbatim followed by CR LF.
std::string dataFileBytes(std::string_view dataText);

// The data text a data file holds: its bytes less the line end the writer appended (CR LF,
// or a lone CR), so a reopened file reads exactly like the set that was saved and saving it
// again writes the same bytes.
std::string_view dataTextOfFile(std::string_view fileBytes);

// A file of fewer lines (the data text's line count) holds no reading: the last four lines are CAF,
// CCF, a further line and the end of the meter's last block.
inline constexpr std::size_t kMinimumDataFileLines = 5;

// The largest set a meter holds is 832,000 bytes; anything much larger is not a data file
// and is refused before it is read.
inline constexpr std::size_t kMaximumDataFileBytes = 8 * 1024 * 1024;

}  // namespace photara
