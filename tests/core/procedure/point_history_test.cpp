// A point's values across kept reports, and the limits drawn behind them.
#include "core/procedure/point_history.h"

#include <gtest/gtest.h>

#include "recipe_fixture.h"

namespace photara {
namespace {

ProcedureReport centreAt(const std::string& finished, std::optional<double> value, bool measured = true) {
    ProcedureReport r;
    r.recipe = test::builtInRecipe("cinema-theatre");
    r.info.finished = finished;
    if (measured) {
        Capture c;
        c.point = "centre";
        c.patch = "white";
        c.state = value ? CaptureState::Value : CaptureState::OverRange;
        c.value = value.value_or(0);
        r.measurements.put(c);
    }
    r.result = judge(r.recipe, r.measurements, r.settings);
    return r;
}

// Oldest first whatever order the reports come in; a report without the point is left out;
// OL has no value to chart; each dot carries the verdict of that point in its report.
TEST(PointHistory, ListsThePointsValuesOldestFirstWithTheirVerdicts) {
    const std::vector<ProcedureReport> reports{
        centreAt("2026-03-01T10:00:00+00:00", 30.0),
        centreAt("2026-01-01T10:00:00+00:00", 48.0),
        centreAt("2026-02-01T10:00:00+00:00", std::nullopt, false),
        centreAt("2026-04-01T10:00:00+00:00", std::nullopt),
    };
    const auto history = pointHistory(reports, "centre");
    ASSERT_EQ(history.size(), 3u);
    struct Expected {
        const char* finished;
        std::optional<double> value;
        const char* text;
        Verdict verdict;
    };
    const Expected expected[]{{"2026-01-01T10:00:00+00:00", 48.0, "48.00", Verdict::Pass},
                              {"2026-03-01T10:00:00+00:00", 30.0, "30.00", Verdict::Fail},
                              {"2026-04-01T10:00:00+00:00", std::nullopt, "OL", Verdict::NotJudged}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(history[i].finished, expected[i].finished) << i;
        EXPECT_EQ(history[i].value, expected[i].value) << i;
        EXPECT_EQ(history[i].valueText, expected[i].text) << i;
        EXPECT_EQ(history[i].verdict, expected[i].verdict) << i;
    }
    EXPECT_TRUE(pointHistory(reports, "left").empty());
    EXPECT_TRUE(pointHistory(reports, "nowhere").empty());
}

// Found by id and version only; a grid expanded to the report's size.
TEST(PointHistory, FindsTheRecipeTheReportWasJudgedBy) {
    const RecipeListing installed = listRecipes(PHOTARA_SOURCE_DIR "/procedures", "");
    ProcedureReport report;
    report.recipe = test::builtInRecipe("display-uniformity", 7);
    report.settings.gridSize = 7;
    const auto found = recipeOfReport(installed, report);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->points.size(), 49u);
    EXPECT_FALSE(found->criteria.empty());
    report.recipe.version += 1;
    EXPECT_FALSE(recipeOfReport(installed, report));
    report.recipe = test::builtInRecipe("warm-up");
    report.recipe.id = "no-such-procedure";
    EXPECT_FALSE(recipeOfReport(installed, report));
}

Recipe withNote() {
    Recipe r;
    r.points = {{"centre", "Centre", "", 0.5, 0.5, {"middle"}, {"white", "grey"}, PointCapture::Spot, ""}};
    Criterion level;
    level.kind = CriterionKind::Value;
    level.points = {"middle"};
    level.pass = {40.0, 60.0};
    level.note = {30.0, 70.0};
    Criterion grey = level;  // judges another patch than the one charted
    grey.patch = "grey";
    Criterion ratio = level;  // a ratio, not cd/m²
    ratio.overPatch = "white";
    Criterion smoke = level;
    smoke.option = "smoke";
    smoke.pass = {10.0, {}};
    smoke.note = {};
    Criterion relative = level;
    relative.kind = CriterionKind::PercentOfReference;
    r.criteria = {level, grey, ratio, smoke, relative};
    return r;
}

struct BandCase {
    const char* name;
    Recipe recipe;
    std::vector<std::string> options;
    std::string point;
    std::vector<std::tuple<std::optional<double>, std::optional<double>, Verdict>> bands;
};

class HistoryBands : public testing::TestWithParam<BandCase> {};

TEST_P(HistoryBands, AreTheValueLimitsThatJudgeTheChartedValue) {
    const BandCase& c = GetParam();
    const auto bands = historyBands(c.recipe, RunSettings{c.options, 0}, c.point);
    ASSERT_EQ(bands.size(), c.bands.size());
    for (std::size_t i = 0; i < bands.size(); ++i) {
        EXPECT_EQ(bands[i].limits.min, std::get<0>(c.bands[i])) << i;
        EXPECT_EQ(bands[i].limits.max, std::get<1>(c.bands[i])) << i;
        EXPECT_EQ(bands[i].verdict, std::get<2>(c.bands[i])) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Recipes, HistoryBands,
    testing::Values(
        BandCase{"ScreenCentre", test::builtInRecipe("cinema-theatre"), {}, "centre", {{37.8, 58.2, Verdict::Pass}}},
        BandCase{"ScreenSideHasNone", test::builtInRecipe("cinema-theatre"), {}, "left", {}},
        BandCase{"SignWithoutSmoke", test::builtInRecipe("exit-sign"), {}, "safety-2", {{2.0, {}, Verdict::Pass}}},
        BandCase{"SignInSmoke", test::builtInRecipe("exit-sign"), {"smoke"}, "safety-2", {{10.0, {}, Verdict::Pass}}},
        BandCase{"NoteThenPass", withNote(), {}, "centre",
                 {{30.0, 70.0, Verdict::PassWithNote}, {40.0, 60.0, Verdict::Pass}}},
        BandCase{"OptionAddsItsBand", withNote(), {"smoke"}, "centre",
                 {{30.0, 70.0, Verdict::PassWithNote}, {40.0, 60.0, Verdict::Pass}, {10.0, {}, Verdict::Pass}}},
        BandCase{"UnknownPoint", withNote(), {}, "edge", {}}),
    [](const testing::TestParamInfo<BandCase>& i) { return std::string(i.param.name); });

}  // namespace
}  // namespace photara
