#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace photara {

// A procedure as data: where to aim, what is shown at each point, and the rules the values
// are judged by. Read from a versioned JSON file (docs/procedures.md); a new standard is a new
// file, never new code.

// The standard a recipe follows, as the user should cite it.
struct StandardReference {
    std::string name;    // "SMPTE ST 431-1"
    std::string clause;  // "5.2"
    int year = 0;
    std::string also;    // another document with the same rule, e.g. "ISO 26431-1:2008"
};

// What the display or screen shows while a point is measured ("full white").
struct Patch {
    std::string id;
    std::string shows;
    std::string option;  // measured only when this option is on; empty: always
};

// How a point's value is taken.
enum class PointCapture {
    Spot,     // one value: Enter, HOLD on the meter, or automatic when stable
    RunUp,    // the readings after the user marks the moment the mains failed
    WarmUp,   // the readings from switch-on until stable
};

// As recipes write it: "spot", "run_up", "warm_up".
std::optional<PointCapture> captureFromText(std::string_view text);
std::string_view captureText(PointCapture capture);

struct Point {
    std::string id;
    std::string name;   // "Top-left corner"
    std::string where;  // "5 % in from the edges"
    double x = 0.5;     // position in the diagram, 0..1 from the left
    double y = 0.5;     // 0..1 from the top
    std::vector<std::string> groups;
    std::vector<std::string> patches;  // the patch ids measured here, in order
    PointCapture capture = PointCapture::Spot;
    std::string option;  // measured only when this option is on
};

// A recipe's choice the user makes before measuring ("smoke-filled escape routes").
struct RecipeOption {
    std::string id;
    std::string label;
};

// A grid of cells that the reader expands into points r<row>c<col>.
struct GridLayout {
    std::vector<int> sizes;  // allowed cells per side
    int defaultSize = 5;
    int recommendedMin = 0;  // a smaller grid gets belowNote in the verdict
    std::string belowNote;
    std::vector<std::string> patches;
};

enum class CriterionKind {
    Value,                  // each point's value
    PercentOfReference,     // 100 · value / reference's value
    DeviationFromReference, // 100 · |value / reference's value − 1|
    MaxOverMin,             // largest over smallest value of the points
    RatioOfMeans,           // mean of the points over mean of the other points
    RunUp,                  // time until the readings after the mark reach a level
    TimeToStable,           // seconds from switch-on until the reading is stable
    Reported,               // each point's value, no limit
};

// A closed or open interval; a missing end is no limit on that side.
struct Limits {
    std::optional<double> min;
    std::optional<double> max;
    bool minExclusive = false;  // "more than" instead of "at least"
    bool maxExclusive = false;  // "less than" instead of "at most"

    bool contains(double v) const;
    bool any() const { return min || max; }
};

struct Criterion {
    std::string id;
    std::string rule;  // the rule in the recipe's own words, shown in the report
    CriterionKind kind = CriterionKind::Value;
    // Point ids or group names; for RatioOfMeans the numerator.
    std::vector<std::string> points;
    std::vector<std::string> overPoints;  // RatioOfMeans: the denominator's points
    std::string patch;      // the patch whose value counts; empty: the point's first
    std::string overPatch;  // a value is patch / overPatch at the same point (e.g. grey/white)
    std::string reference;  // a point id or a group of one point
    std::string quantity;   // what is measured, for the report: "% of centre", ":1"
    Limits pass;
    Limits note;            // wider limits that still pass, with noteText
    std::string noteText;
    std::string option;         // applies only when this option is on
    std::string unlessOption;   // applies only when this option is off
    // RunUp: the required luminance, the fraction of it, and the time allowed.
    double required = 0;
    double fraction = 1;
    double withinSeconds = 0;
};

struct Recipe {
    int formatVersion = 1;
    std::string id;
    int version = 1;
    std::string title;
    std::string summary;
    StandardReference standard;
    std::string layout;  // "screen", "grid", "patches", "sign", "warm-up": how it is drawn
    std::string unit = "cd/m2";
    std::vector<RecipeOption> options;
    std::vector<Patch> patches;
    std::optional<GridLayout> grid;
    std::vector<Point> points;  // for a grid: empty until expanded
    std::vector<Criterion> criteria;
    std::string stability;      // the default stability preset for automatic capture

    const Point* point(const std::string& id) const;
    const Patch* patch(const std::string& id) const;
    // The ids of the points a name stands for: the point itself, or every point of a group.
    std::vector<std::string> resolve(const std::string& pointOrGroup) const;
};

// Why a recipe was refused: "cinema.json: line 12: criteria[2].max: expected a number".
struct RecipeError {
    std::string file;
    int line = 0;
    std::string field;
    std::string message;
    std::string text() const;
};

inline constexpr int kRecipeFormatVersion = 1;

// Reads and checks a recipe. fileName is only for the error's text.
std::variant<Recipe, RecipeError> readRecipe(std::string_view text, const std::string& fileName);

// A grid recipe's points for a grid of size×size cells; the recipe unchanged for others.
// size must be one of grid->sizes (else the default size is used).
Recipe withGrid(const Recipe& recipe, int size);

// The points measured with the given options on, and their patches, in measuring order.
struct Step {
    std::string point;
    std::string patch;
};
std::vector<Step> stepsOf(const Recipe& recipe, const std::vector<std::string>& options);

}  // namespace photara
