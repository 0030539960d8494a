#pragma once

#include <string>
#include <vector>

namespace photara {

// The parsed data lines of the current data text: one time text and two values per line,
// and the two series maxima with their margins, which the plot scales by.
struct Samples {
    std::vector<std::string> timeTexts;
    std::vector<double> first;
    std::vector<double> second;
    double firstMaximum = 0;
    double secondMaximum = 0;
};

}  // namespace photara
