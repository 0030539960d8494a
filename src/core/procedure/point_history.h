#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/procedure/recipe_library.h"
#include "core/procedure/report.h"

namespace photara {

// One point's values across the kept reports of one site, asset and procedure: what the
// Results window charts over time (e.g. the screen centre across lamp changes).

// The value of a point in one report: its first patch's capture, in cd/m².
struct HistoryEntry {
    std::string finished;         // when the report's run ended, ISO 8601
    std::optional<double> value;  // none for OL or below range
    std::string valueText;        // "48.2", "OL", "below range"
    Verdict verdict = Verdict::NotJudged;  // the point's worst verdict in that report
};

// The entries of the reports that measured the point, oldest first.
std::vector<HistoryEntry> pointHistory(const std::vector<ProcedureReport>& reports, const std::string& point);

// A limit drawn behind the values: the pass interval (verdict Pass) or the wider interval
// that still passes with a note (verdict PassWithNote). A missing end is open.
struct HistoryBand {
    Limits limits;
    Verdict verdict = Verdict::Pass;
    std::string rule;
};

// The bands of the criteria of kind Value that judge the point's charted value (its first
// patch, not a ratio of patches) under the run's settings.
std::vector<HistoryBand> historyBands(const Recipe& recipe, const RunSettings& settings, const std::string& point);

// A kept report holds its recipe's points but not its criteria: the recipe it was judged
// by, from the installed ones (same id and version), its grid expanded as the report's.
std::optional<Recipe> recipeOfReport(const RecipeListing& recipes, const ProcedureReport& report);

// The points a history can chart: those captured as a spot, in the recipe's order.
std::vector<const Point*> chartablePoints(const Recipe& recipe);

}  // namespace photara
