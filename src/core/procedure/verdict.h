#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/procedure/measurement.h"
#include "core/procedure/recipe.h"

namespace photara {

enum class Verdict { Pass, PassWithNote, Fail, NotJudged };

std::string_view verdictText(Verdict v);  // "pass", "pass with note", "fail", "not judged"
std::optional<Verdict> verdictFromText(std::string_view text);

// One criterion at one point (per-point kinds) or over its points (the others).
struct CriterionResult {
    std::string criterion;
    std::string point;  // empty for a criterion over several points
    Verdict verdict = Verdict::NotJudged;
    std::optional<double> measured;
    std::string quantity;  // "% of centre"
    std::string limit;     // "80 to 90"
    std::string rule;
    std::string note;      // the note of a pass with note, or why it was not judged
};

struct ProcedureResult {
    std::vector<CriterionResult> results;
    Verdict overall = Verdict::NotJudged;
    std::vector<std::string> notes;  // about the whole run ("a grid under 5 x 5 …")
};

// The options chosen for a run and, for a grid, its size.
struct RunSettings {
    std::vector<std::string> options;
    int gridSize = 0;  // 0: the recipe's default
    bool has(const std::string& option) const;
    bool applies(const Criterion& c) const;
};

// Judges the captures against a recipe whose points are expanded (withGrid). Pure: the same
// recipe and values always give the same verdicts. The whole passes when every judged
// criterion passes; a fail anywhere fails it; with nothing judged it is not judged.
ProcedureResult judge(const Recipe& recipe, const Measurements& m, const RunSettings& settings);

// A criterion's limits as the report shows them: "80 to 90", "at least 75", "below 10",
// "at most 5 (10 with a note)"; empty without limits.
std::string limitText(const Criterion& c);

// A number for a person: 3 significant digits at least, never "1e+02".
std::string formatNumber(double v);

}  // namespace photara
