#pragma once

#include <string>
#include <vector>

#include "core/datafile/data_set.h"

namespace photara {

// The lines that name a set on a picture or a printout of its graph, in UTF-8.

// When the readings were taken and how many there are:
// "2026-12-05 08:00:00 to 2026-12-05 11:36:36, 12997 readings"; times the meter spelled
// otherwise are shown as it spelled them.
std::string setTitle(const std::vector<std::string>& timeTexts);

// What the two scales measure and the meter's correction factors:
// "cd: cd/m² (blue)   Fl: fL (black)   CAF 1.000   CCF 1.043".
std::string setDetails(const DataSet& set);

// A file name (without extension) for an export of the set: its start time,
// "2026-12-05_08-00-00", with only letters, digits, "-" and "_"; "readings" when empty.
std::string fileStem(const std::vector<std::string>& timeTexts);

}  // namespace photara
