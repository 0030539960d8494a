#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/common/local_time.h"

namespace photara::sim {

// What one recorded logger set looks like: when it started, how many readings it holds,
// how far apart they are and the luminance they drift around.
struct DataSetRecipe {
    LocalDateTime start;  // start time of the recording
    int samples = 100;    // data lines
    int intervalSeconds = 1;
    double luminance = 120.0;  // typical cd/m2 around which values drift
    std::uint32_t seed = 1;
};

// The meter's text for one recorded set: one 62-character data line per reading (date and
// time with three blanks between, value in cd/m2 with "K"/"M" where it fits, "cd/m2", value
// in fL, "fL", then the reading's number), the CAF line, the CCF line and a further line
// with the meter's probe temperature (a Latin-1 degree sign, 0xB0). Every line ends CR LF.
// The same recipe always gives the same bytes.
std::string generateDataText(const DataSetRecipe& recipe);
// The same for a set recorded from what the meter measured: readings[i] (cd/m2) is sample
// i's value; samples beyond the readings drift as a made-up set's do.
std::string generateDataText(const DataSetRecipe& recipe, const std::vector<double>& readings);

}  // namespace photara::sim
