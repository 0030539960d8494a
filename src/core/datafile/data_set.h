#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/datafile/samples.h"

namespace photara {

// A data text read the way the data list shows it. With L lines, lines 0 … L−5 are data
// rows (line 0 also gives the two unit headers), line L−4 is CAF, L−3 is CCF and the last
// two are not used: for a downloaded set of k readings that is the k data lines, the CAF,
// CCF and further line, and the rest of the last 64-byte block.
struct DataSet {
    std::string firstUnit;   // line 0, characters 32–36, blanks kept
    std::string secondUnit;  // line 0, characters 46–47
    // The value fields as shown, blanks removed, one per row.
    std::vector<std::string> firstTexts;
    std::vector<std::string> secondTexts;
    Samples samples;  // time texts, both series and their maxima
    // Characters 5–14 of the CAF and CCF lines, blanks removed; "0" when there is no such line.
    std::string caf = "0";
    std::string ccf = "0";
    std::size_t lineCount = 0;  // L

    std::size_t rowCount() const { return samples.timeTexts.size(); }
};

// Trailing lines of a data text that are not data rows.
inline constexpr std::size_t kTrailerLines = 4;

DataSet parseDataText(std::string_view dataText);

}  // namespace photara
