#include "core/procedure/verdict.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "recipe_fixture.h"

namespace photara {
namespace {

constexpr double kFootLambert = 3.4262591;
constexpr double kOL = -1;  // a value that stands for the meter's OL
constexpr double kZero = -2;  // below range

// One value set on a point; patch empty: the point's first.
struct Set {
    std::string point;
    double value;
    std::string patch = "";
};

struct Case {
    std::string name;
    std::vector<Set> set;
    std::string criterion;
    std::string point;  // empty for a criterion over several points
    Verdict expected;
    std::vector<std::string> options = {};
    std::vector<TimedValue> runUp = {};
    std::optional<double> timeToStable = 120;
    std::optional<Verdict> whole = {};  // the whole run's verdict, where the case decides it
};

// Values that pass every criterion of each built-in procedure; a case changes one or two.
double baseline(const std::string& recipe, const Point& p, const std::string& patch) {
    const auto in = [&](const char* g) {
        return std::find(p.groups.begin(), p.groups.end(), g) != p.groups.end();
    };
    if (recipe == "cinema-review-room" || recipe == "cinema-theatre") return in("centre") ? 48 : 40.8;
    if (recipe == "film-screen") return in("centre") ? 55 : 50;
    if (recipe == "display-uniformity") return patch == "white" ? 100 : 20;
    if (recipe == "contrast-sequential") return patch == "white" ? 100 : 1;
    if (recipe == "contrast-ansi") return in("white") ? 100 : 1;
    if (recipe == "exit-sign") return in("contrast") ? 30 : 4;
    return 100;
}

Measurements measure(const Recipe& r, const Case& c) {
    Measurements m;
    for (const auto& p : r.points) {
        for (const auto& patch : p.patches) {
            Capture cap;
            cap.point = p.id;
            cap.patch = patch;
            cap.value = baseline(r.id, p, patch);
            if (p.capture == PointCapture::RunUp) {
                cap.readings = c.runUp.empty() ? std::vector<TimedValue>{{0, 0.5}, {1, 4}, {90, 4}} : c.runUp;
            }
            cap.timeToStable = c.timeToStable;
            m.put(cap);
        }
    }
    for (const auto& s : c.set) {
        const Point* p = r.point(s.point);
        EXPECT_NE(p, nullptr) << s.point;
        if (!p) continue;
        Capture cap;
        cap.point = s.point;
        cap.patch = s.patch.empty() ? p->patches.front() : s.patch;
        cap.value = s.value;
        if (s.value == kOL) cap.state = CaptureState::OverRange;
        if (s.value == kZero) cap.state = CaptureState::BelowRange;
        m.put(cap);
    }
    return m;
}

class VerdictAtBoundary : public testing::TestWithParam<Case> {
  protected:
    void check(const std::string& recipeId, int gridSize = 0) {
        const Case& c = GetParam();
        const Recipe r = test::builtInRecipe(recipeId, gridSize);
        const ProcedureResult result = judge(r, measure(r, c), {c.options, gridSize});
        const CriterionResult* found = nullptr;
        for (const auto& res : result.results) {
            if (res.criterion == c.criterion && res.point == c.point) found = &res;
        }
        ASSERT_NE(found, nullptr) << c.criterion << " at " << c.point;
        EXPECT_EQ(verdictText(found->verdict), verdictText(c.expected))
            << "measured " << found->measured.value_or(NAN) << " " << found->quantity << ", limit "
            << found->limit << ", note " << found->note;
        if (c.whole) {
            EXPECT_EQ(verdictText(result.overall), verdictText(*c.whole));
        }
    }
};

std::string caseName(const testing::TestParamInfo<Case>& info) { return info.param.name; }

// Review room: centre 48 ± 3.5 cd/m²; sides and corners 80 to 90 % of the centre.
class ReviewRoom : public VerdictAtBoundary {};
TEST_P(ReviewRoom, Judges) { check("cinema-review-room"); }
INSTANTIATE_TEST_SUITE_P(Boundaries, ReviewRoom, testing::Values(
    Case{"Centre44_5", {{"centre", 44.5}, {"left", 38.4}}, "centre-level", "centre", Verdict::Pass},
    Case{"Centre44_4", {{"centre", 44.4}}, "centre-level", "centre", Verdict::Fail},
    Case{"Centre14fL", {{"centre", 14 * kFootLambert}}, "centre-level", "centre", Verdict::Pass},
    Case{"Centre51_5", {{"centre", 51.5}, {"top", 43.2}}, "centre-level", "centre", Verdict::Pass},
    Case{"Centre51_6", {{"centre", 51.6}}, "centre-level", "centre", Verdict::Fail},
    Case{"Side79_9", {{"left", 48 * 0.799}}, "sides", "left", Verdict::Fail, {}, {}, 120, Verdict::Fail},
    Case{"Side80_0", {{"left", 38.4}}, "sides", "left", Verdict::Pass, {}, {}, 120, Verdict::Pass},
    Case{"Side90_0", {{"right", 43.2}}, "sides", "right", Verdict::Pass},
    Case{"Side90_1", {{"right", 48 * 0.901}}, "sides", "right", Verdict::Fail},
    Case{"Corner79_9", {{"top-left", 48 * 0.799}}, "corners", "top-left", Verdict::Fail},
    Case{"Corner90_1", {{"bottom-right", 48 * 0.901}}, "corners", "bottom-right", Verdict::Fail},
    // The whole passes when every judged criterion passes; with nothing judged it is not judged.
    Case{"SideOverRange", {{"left", kOL}}, "sides", "left", Verdict::NotJudged, {}, {}, 120, Verdict::Pass},
    Case{"CentreBelowRangeLeavesSidesUnjudged", {{"centre", kZero}}, "sides", "top", Verdict::NotJudged,
         {}, {}, 120, Verdict::NotJudged}), caseName);

// Theatre: centre 48 ± 10.2 cd/m²; sides 75 to 90 %; corners reported only.
class Theatre : public VerdictAtBoundary {};
TEST_P(Theatre, Judges) { check("cinema-theatre"); }
INSTANTIATE_TEST_SUITE_P(Boundaries, Theatre, testing::Values(
    Case{"Centre37_8", {{"centre", 37.8}, {"left", 37.8 * 0.8}, {"right", 37.8 * 0.8}, {"top", 37.8 * 0.8}, {"bottom", 37.8 * 0.8}}, "centre-level", "centre", Verdict::Pass},
    Case{"Centre37_7", {{"centre", 37.7}, {"left", 37.7 * 0.8}, {"right", 37.7 * 0.8}, {"top", 37.7 * 0.8}, {"bottom", 37.7 * 0.8}}, "centre-level", "centre", Verdict::Fail},
    Case{"Centre58_2", {{"centre", 58.2}, {"left", 58.2 * 0.8}, {"right", 58.2 * 0.8}, {"top", 58.2 * 0.8}, {"bottom", 58.2 * 0.8}}, "centre-level", "centre", Verdict::Pass},
    Case{"Centre58_3", {{"centre", 58.3}, {"left", 58.3 * 0.8}, {"right", 58.3 * 0.8}, {"top", 58.3 * 0.8}, {"bottom", 58.3 * 0.8}}, "centre-level", "centre", Verdict::Fail},
    Case{"Side74_9", {{"bottom", 48 * 0.749}}, "sides", "bottom", Verdict::Fail},
    Case{"Side75_0", {{"bottom", 36}}, "sides", "bottom", Verdict::Pass},
    Case{"Side90_1", {{"top", 48 * 0.901}}, "sides", "top", Verdict::Fail},
    Case{"CornerAt50PercentIsOnlyReported", {{"top-right", 24}}, "corners", "top-right", Verdict::NotJudged}), caseName);

// Film: centre 55 ± 7 cd/m²; sides and corners at least 75 % of the centre.
class Film : public VerdictAtBoundary {};
TEST_P(Film, Judges) { check("film-screen"); }
INSTANTIATE_TEST_SUITE_P(Boundaries, Film, testing::Values(
    Case{"Centre48_0", {{"centre", 48}, {"left", 40}, {"right", 40}, {"top", 40}, {"bottom", 40}, {"top-left", 40}, {"top-right", 40}, {"bottom-left", 40}, {"bottom-right", 40}}, "centre-level", "centre", Verdict::Pass},
    Case{"Centre47_9", {{"centre", 47.9}, {"left", 40}, {"right", 40}, {"top", 40}, {"bottom", 40}, {"top-left", 40}, {"top-right", 40}, {"bottom-left", 40}, {"bottom-right", 40}}, "centre-level", "centre", Verdict::Fail},
    Case{"Centre62_0", {{"centre", 62}}, "centre-level", "centre", Verdict::Pass},
    Case{"Centre62_1", {{"centre", 62.1}}, "centre-level", "centre", Verdict::Fail},
    Case{"Side74_9", {{"left", 55 * 0.749}}, "sides", "left", Verdict::Fail},
    Case{"Side75_0", {{"left", 41.25}}, "sides", "left", Verdict::Pass},
    Case{"CornerBrighterThanCentre", {{"top-left", 60}}, "corners", "top-left", Verdict::Pass},
    Case{"Corner74_9", {{"bottom-left", 55 * 0.749}}, "corners", "bottom-left", Verdict::Fail}), caseName);

// Uniformity on a 5 x 5 grid: |cell / centre − 1| ≤ 5 % passes, ≤ 10 % passes with a note;
// contrast deviation |R / R(centre) − 1| below 10 % with R = grey / white.
class Uniformity : public VerdictAtBoundary {};
TEST_P(Uniformity, Judges) { check("display-uniformity", 5); }
INSTANTIATE_TEST_SUITE_P(Boundaries, Uniformity, testing::Values(
    Case{"Cell5_0Below", {{"r1c1", 95}}, "luminance-deviation", "r1c1", Verdict::Pass},
    Case{"Cell5_0Above", {{"r5c5", 105}}, "luminance-deviation", "r5c5", Verdict::Pass},
    Case{"Cell5_1", {{"r1c1", 94.9}}, "luminance-deviation", "r1c1", Verdict::PassWithNote, {}, {}, 120, Verdict::PassWithNote},
    Case{"Cell10_0", {{"r2c4", 90}}, "luminance-deviation", "r2c4", Verdict::PassWithNote},
    Case{"Cell10_1", {{"r2c4", 110.1}}, "luminance-deviation", "r2c4", Verdict::Fail},
    Case{"CellOverRange", {{"r3c1", kOL}}, "luminance-deviation", "r3c1", Verdict::NotJudged},
    Case{"Contrast9_9", {{"r1c5", 21.98, "grey50"}}, "contrast-deviation", "r1c5", Verdict::Pass, {"contrast"}},
    Case{"Contrast10_0IsNotBelow10", {{"r1c5", 22, "grey50"}}, "contrast-deviation", "r1c5", Verdict::Fail, {"contrast"}},
    Case{"ContrastFromCellsOwnWhite", {{"r4c2", 95}, {"r4c2", 19, "grey50"}}, "contrast-deviation", "r4c2", Verdict::Pass, {"contrast"}}), caseName);

TEST(UniformityGrid, UnderFiveByFiveSaysWhatIso14861AsksFor) {
    for (int size : {3, 5, 9}) {
        const Recipe r = test::builtInRecipe("display-uniformity", size);
        EXPECT_EQ(r.points.size(), static_cast<std::size_t>(size * size));
        const ProcedureResult res = judge(r, {}, {{}, size});
        EXPECT_EQ(res.notes.size(), size < 5 ? 1u : 0u) << size;
        EXPECT_EQ(res.overall, Verdict::NotJudged);
    }
}

// Contrast classes: 50:1 analytical passes, 15:1 basic decision making passes with a note.
class Sequential : public VerdictAtBoundary {};
TEST_P(Sequential, Judges) { check("contrast-sequential"); }
INSTANTIATE_TEST_SUITE_P(Boundaries, Sequential, testing::Values(
    Case{"At50", {{"centre", 2, "black"}}, "contrast", "", Verdict::Pass},
    Case{"At49_99", {{"centre", 100 / 49.99, "black"}}, "contrast", "", Verdict::PassWithNote},
    Case{"At15", {{"centre", 100 / 15.0, "black"}}, "contrast", "", Verdict::PassWithNote},
    Case{"At14_99", {{"centre", 100 / 14.99, "black"}}, "contrast", "", Verdict::Fail},
    Case{"BlackBelowRange", {{"centre", kZero, "black"}}, "contrast", "", Verdict::NotJudged}), caseName);

class Checkerboard : public VerdictAtBoundary {};
TEST_P(Checkerboard, Judges) { check("contrast-ansi"); }
INSTANTIATE_TEST_SUITE_P(Boundaries, Checkerboard, testing::Values(
    // Mean of the whites: (7·100 + 60) / 8 = 95; over a mean black of 1: 95:1.
    Case{"MeanOfTheWhiteCells", {{"r1c1", 60}}, "contrast", "", Verdict::Pass},
    // Mean black (7·1 + 10.4) / 8 = 2.175: 100 / 2.175 = 45.98:1.
    Case{"MeanOfTheBlackCells", {{"r1c2", 10.4}}, "contrast", "", Verdict::PassWithNote},
    Case{"BlackCellOverRange", {{"r4c1", kOL}}, "contrast", "", Verdict::NotJudged}), caseName);

// Exit sign: safety colour ≥ 2 cd/m² (10 with smoke); max/min ≤ 10 within a colour; white /
// safety colour 5 to 15; 50 % within 5 s and 100 % within 60 s after the mains fail.
std::vector<Set> safety(double v) {
    return {{"safety-1", v}, {"safety-2", v}, {"safety-3", v}, {"safety-4", v}};
}
std::vector<Set> white(double v) { return {{"contrast-1", v}, {"contrast-2", v}}; }
std::vector<Set> operator+(std::vector<Set> a, const std::vector<Set>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class ExitSign : public VerdictAtBoundary {};
TEST_P(ExitSign, Judges) { check("exit-sign"); }
INSTANTIATE_TEST_SUITE_P(Boundaries, ExitSign, testing::Values(
    Case{"Safety2_0", safety(2) + white(20), "safety-minimum", "safety-3", Verdict::Pass},
    Case{"Safety1_99", {{"safety-3", 1.99}}, "safety-minimum", "safety-3", Verdict::Fail},
    Case{"Smoke10_0", safety(10) + white(100), "safety-minimum-smoke", "safety-1", Verdict::Pass, {"smoke"},
         {{0, 0}, {1, 10}, {90, 10}}},
    Case{"Smoke9_99", safety(10) + white(100) + std::vector<Set>{{"safety-1", 9.99}}, "safety-minimum-smoke", "safety-1",
         Verdict::Fail, {"smoke"}, {{0, 0}, {1, 10}, {90, 10}}},
    Case{"SafetyMaxOverMin10_0", std::vector<Set>{{"safety-1", 3}, {"safety-2", 30}, {"safety-3", 3}, {"safety-4", 3}} + white(60),
         "safety-uniformity", "", Verdict::Pass},
    Case{"SafetyMaxOverMin10_01", std::vector<Set>{{"safety-1", 3}, {"safety-2", 30.03}} + white(60), "safety-uniformity", "", Verdict::Fail},
    Case{"WhiteMaxOverMin10_01", {{"contrast-1", 5.994}, {"contrast-2", 60}}, "contrast-uniformity", "", Verdict::Fail},
    Case{"Ratio4_99", white(19.96), "colour-ratio", "", Verdict::Fail},
    Case{"Ratio5_00", white(20), "colour-ratio", "", Verdict::Pass},
    Case{"Ratio15_00", white(60), "colour-ratio", "", Verdict::Pass},
    Case{"Ratio15_01", white(60.04), "colour-ratio", "", Verdict::Fail},
    Case{"HalfAt5s", {}, "run-up-half", "run-up", Verdict::Pass, {}, {{0, 0}, {4.9, 0.9}, {5, 1}, {60, 2}, {61, 2}}},
    Case{"HalfAt5_1s", {}, "run-up-half", "run-up", Verdict::Fail, {}, {{0, 0}, {5, 0.99}, {5.1, 1}, {60, 2}}},
    Case{"FullAt60s", {}, "run-up-full", "run-up", Verdict::Pass, {}, {{0, 0}, {1, 1}, {60, 2}}},
    Case{"TheReadingAtTheMarkIsBeforeTheFailure", {}, "run-up-half", "run-up", Verdict::Fail, {}, {{0, 5}, {0.25, 0}, {60, 2}}},
    Case{"FullAt60_5s", {}, "run-up-full", "run-up", Verdict::Fail, {}, {{0, 0}, {1, 1}, {60, 1.99}, {60.5, 2}}},
    Case{"FullNeverWithinTheReadings", {}, "run-up-full", "run-up", Verdict::Fail, {}, {{0, 0}, {1, 1}, {75, 1.5}}},
    Case{"FullReadingsStopEarly", {}, "run-up-full", "run-up", Verdict::NotJudged, {}, {{0, 0}, {1, 1}, {30, 1.5}}},
    Case{"StillLitAfterDuration", {{"after-duration", 1.99}}, "after-duration", "after-duration", Verdict::Fail, {"duration"}}), caseName);

class WarmUp : public VerdictAtBoundary {};
TEST_P(WarmUp, Judges) { check("warm-up"); }
INSTANTIATE_TEST_SUITE_P(Boundaries, WarmUp, testing::Values(
    Case{"StableAfter20Minutes", {}, "stable", "centre", Verdict::Pass, {}, {}, 1200},
    Case{"NeverStable", {}, "stable", "centre", Verdict::Fail, {}, {}, std::nullopt}), caseName);

}  // namespace
}  // namespace photara
