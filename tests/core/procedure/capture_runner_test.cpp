#include "core/procedure/capture_runner.h"

#include <gtest/gtest.h>

#include "recipe_fixture.h"
#include "support/fake_clock.h"

namespace photara {
namespace {

using Kind = ReadingInput::Kind;

struct Ev {
    enum Type { Read, Enter, EnterRefused, Redo } type = Read;
    double t = 0;
    ReadingInput in = {};
    std::size_t k = 0;
};

using Script = std::vector<Ev>;

Script reads(double from, double to, double v, bool hold = false, Kind kind = Kind::Luminance) {
    Script s;
    for (double t = from; t <= to + 1e-9; t += 0.25) s.push_back({Ev::Read, t, {kind, v, hold}});
    return s;
}
Script operator+(Script a, const Script& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
const Script kEnter{{Ev::Enter}};
const Script kRefused{{Ev::EnterRefused}};
Script redo(std::size_t k) { return {{Ev::Redo, 0, {}, k}}; }

struct Taken {
    std::string point;
    std::string patch;
    CaptureState state;
    double value;
    CaptureTrigger trigger;
};

struct RunnerCase {
    std::string name;
    std::string recipe;
    CaptureMode mode;
    Script script;
    std::vector<Taken> taken;  // in the order of the recipe's steps
    bool done;
};

class Runner : public testing::TestWithParam<RunnerCase> {};

TEST_P(Runner, TakesThePointsAsScripted) {
    const RunnerCase& c = GetParam();
    const Recipe recipe = test::builtInRecipe(c.recipe);
    test::FakeClock clock;
    CaptureRunner::Settings settings;
    settings.mode = c.mode;
    if (recipe.stability != "spot") settings.stability = *stabilityPreset(recipe.stability);
    CaptureRunner runner(stepsOf(recipe, {}), recipe, settings, clock);
    for (const Ev& e : c.script) {
        std::string why;
        switch (e.type) {
            case Ev::Read: runner.onReading(e.t, e.in); break;
            case Ev::Enter: EXPECT_TRUE(runner.enter(why)) << why; break;
            case Ev::EnterRefused:
                EXPECT_FALSE(runner.enter(why));
                EXPECT_FALSE(why.empty());
                break;
            case Ev::Redo: EXPECT_TRUE(runner.redo(e.k)); break;
        }
    }
    EXPECT_EQ(runner.done(), c.done);
    const auto& caps = runner.measurements().captures;
    ASSERT_EQ(caps.size(), c.taken.size());
    for (const Taken& t : c.taken) {
        const Capture* cap = runner.measurements().find(t.point, t.patch);
        ASSERT_NE(cap, nullptr) << t.point << "/" << t.patch;
        EXPECT_EQ(captureStateText(cap->state), captureStateText(t.state)) << t.point;
        EXPECT_NEAR(cap->value, t.value, 1e-9) << t.point;
        EXPECT_EQ(captureTriggerText(cap->trigger), captureTriggerText(t.trigger)) << t.point;
        EXPECT_FALSE(cap->readings.empty()) << "a capture keeps its readings";
    }
}

constexpr auto V = CaptureState::Value;
constexpr auto OL = CaptureState::OverRange;

INSTANTIATE_TEST_SUITE_P(Scripts, Runner, testing::Values(
    RunnerCase{"EnterTakesTheReadingShown", "contrast-sequential", CaptureMode::Enter,
               reads(0, 2, 100) + kEnter + reads(2.25, 3, 1.5) + kEnter,
               {{"centre", "white", V, 100, CaptureTrigger::Enter}, {"centre", "black", V, 1.5, CaptureTrigger::Enter}}, true},
    RunnerCase{"EnterRefusesADeltaScreenAndNoReading", "contrast-sequential", CaptureMode::Enter,
               kRefused + reads(0, 1, 3, false, Kind::NotLuminance) + kRefused + reads(1.25, 1.5, 0, false, Kind::None) + kRefused,
               {}, false},
    RunnerCase{"EnterOnOverRangeIsTakenAsSuch", "contrast-sequential", CaptureMode::Enter,
               reads(0, 1, 0, false, Kind::OverRange) + kEnter,
               {{"centre", "white", OL, 0, CaptureTrigger::Enter}}, false},
    // HOLD lit at the start is no press; each rising edge takes one point.
    RunnerCase{"HoldEdgeTakesTheHeldReading", "contrast-sequential", CaptureMode::Hold,
               reads(0, 1, 80, true) + reads(1.25, 2, 100) + reads(2.25, 4, 100, true) + reads(4.25, 5, 1.25) +
                   reads(5.25, 6, 1.25, true),
               {{"centre", "white", V, 100, CaptureTrigger::Hold}, {"centre", "black", V, 1.25, CaptureTrigger::Hold}}, true},
    RunnerCase{"HoldOnBelowRange", "contrast-sequential", CaptureMode::Hold,
               reads(0, 1, 100) + reads(1.25, 1.5, 100, true) + reads(1.75, 2, 0, false, Kind::BelowRange) +
                   reads(2.25, 2.5, 0, true, Kind::BelowRange),
               {{"centre", "white", V, 100, CaptureTrigger::Hold}, {"centre", "black", CaptureState::BelowRange, 0, CaptureTrigger::Hold}}, true},
    // Auto: stable takes the first point; the same reading again is no new point until a step.
    RunnerCase{"AutoNeedsAStepBeforeTheNextPoint", "contrast-sequential", CaptureMode::Auto,
               reads(0, 5, 100),
               {{"centre", "white", V, 100, CaptureTrigger::Auto}}, false},
    RunnerCase{"AutoTakesTheMeanOfTheStableWindow", "contrast-sequential", CaptureMode::Auto,
               reads(0, 2, 100) + reads(2.25, 2.5, 50) + reads(2.75, 3.0, 2.000) + reads(3.25, 3.5, 2.004) +
                   reads(3.75, 4.0, 2.002),
               // Stable once a whole second follows the step at 2.75 s: 2.000 ×2, 2.004 ×2, 2.002 → 2.002.
               {{"centre", "white", V, 100, CaptureTrigger::Auto}, {"centre", "black", V, 2.002, CaptureTrigger::Auto}}, true},
    RunnerCase{"AutoTakesSteadyOverRange", "contrast-sequential", CaptureMode::Auto,
               reads(0, 2, 100) + reads(2.25, 3.25, 0, false, Kind::OverRange),
               {{"centre", "white", V, 100, CaptureTrigger::Auto}, {"centre", "black", OL, 0, CaptureTrigger::Auto}}, true},
    RunnerCase{"RedoReplacesOnlyThatPoint", "contrast-sequential", CaptureMode::Enter,
               reads(0, 1, 100) + kEnter + reads(1.25, 2, 1.5) + kEnter + redo(0) + reads(2.25, 3, 90) + kEnter,
               {{"centre", "white", V, 90, CaptureTrigger::Enter}, {"centre", "black", V, 1.5, CaptureTrigger::Enter}}, true},
    RunnerCase{"WarmUpEndsWhenStable", "warm-up", CaptureMode::Auto,
               reads(0, 30, 50) + reads(30.25, 200, 100),
               {{"centre", "white", V, 100, CaptureTrigger::Auto}}, true}),
    [](const testing::TestParamInfo<RunnerCase>& i) { return i.param.name; });

// The run-up keeps the readings from the mark on, timed from it, and ends by itself.
TEST(RunnerRunUp, RecordsFromTheMarkUntilTheTimeIsUp) {
    const Recipe recipe = test::builtInRecipe("exit-sign");
    test::FakeClock clock;
    CaptureRunner runner(stepsOf(recipe, {}), recipe, {}, clock);
    std::string why;
    double t = 0;
    while (!runner.awaitingMark()) {
        runner.onReading(t += 0.25, ReadingInput::luminance(5));
        ASSERT_TRUE(runner.enter(why)) << why;
    }
    runner.onReading(t += 0.25, ReadingInput::luminance(5));
    ASSERT_TRUE(runner.enter(why));  // the mains fail now
    const double mark = t;
    for (int i = 1; !runner.done() && i < 400; ++i) {
        runner.onReading(t += 0.25, ReadingInput::luminance(i < 8 ? 0.5 : 2.5));
    }
    ASSERT_TRUE(runner.done());
    const Capture* run = runner.measurements().find("run-up", "battery");
    ASSERT_NE(run, nullptr);
    EXPECT_DOUBLE_EQ(run->readings.front().t, 0);
    EXPECT_NEAR(run->readings.back().t, 65, 0.25);
    EXPECT_NEAR(t - mark, 65, 0.25);
    EXPECT_EQ(run->readings[8].value, 2.5);
}

}  // namespace
}  // namespace photara

namespace photara {
namespace {

TEST(RunnerSteps, AStepTheRecipeLacksIsNeverTakenAndNothingBreaks) {
    const Recipe recipe = test::builtInRecipe("contrast-sequential");
    test::FakeClock clock;
    CaptureRunner runner({{"nowhere", "white"}}, recipe, {}, clock);
    EXPECT_FALSE(runner.onReading(0, ReadingInput::luminance(5)));
    std::string why;
    EXPECT_FALSE(runner.enter(why));
    EXPECT_TRUE(runner.measurements().captures.empty());
}

}  // namespace
}  // namespace photara
