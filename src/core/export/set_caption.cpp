#include "core/export/set_caption.h"

#include "core/export/set_csv.h"

namespace photara {

std::string setTitle(const std::vector<std::string>& timeTexts) {
    if (timeTexts.empty()) return "No readings";
    const std::string first = meterTimeAsIso(timeTexts.front(), ' ');
    if (timeTexts.size() == 1) return first + ", 1 reading";
    return first + " to " + meterTimeAsIso(timeTexts.back(), ' ') + ", " +
           std::to_string(timeTexts.size()) + " readings";
}

std::string fileStem(const std::vector<std::string>& timeTexts) {
    if (timeTexts.empty()) return "readings";
    std::string stem = meterTimeAsIso(timeTexts.front(), '_');
    for (char& c : stem) {
        const bool keep = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') ||
                          (c >= 'A' && c <= 'Z') || c == '-' || c == '_';
        if (!keep) c = c == ':' ? '-' : '_';
    }
    return stem;
}

std::string setDetails(const DataSet& set) {
    const bool hasRows = set.rowCount() > 0;
    const std::string first = meterUnitInUtf8(hasRows ? set.firstUnit : "", "cd/m\xC2\xB2");
    const std::string second = meterUnitInUtf8(hasRows ? set.secondUnit : "", "fL");
    return "cd: " + first + " (blue)   Fl: " + second + " (black)   CAF " + utf8FromMeter(set.caf) +
           "   CCF " + utf8FromMeter(set.ccf);
}

}  // namespace photara
