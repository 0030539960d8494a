#include "core/procedure/run_text.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "recipe_fixture.h"
#include "support/fake_clock.h"

namespace photara {
namespace {

// What the person at the screen reads for the point the runner is at.
TEST(RunText, PromptNamesThePointItsPlaceAndWhatToDo) {
    const Recipe cinema = test::builtInRecipe("cinema-review-room");
    test::FakeClock clock;
    CaptureRunner runner(stepsOf(cinema, {}), cinema, {}, clock);
    ASSERT_TRUE(runner.redo(5));
    EXPECT_EQ(pointPrompt(runner, cinema, CaptureMode::Hold),
              "Point 6 of 9: Top-left corner, 5 % of the screen width in from the edges (the projector's full "
              "white field, no film or image) — aim the meter, then press Enter or HOLD on the meter");

    const Recipe sign = test::builtInRecipe("exit-sign");
    CaptureRunner signRunner(stepsOf(sign, {}), sign, {}, clock);
    std::string why;
    for (double t = 0; !signRunner.awaitingMark(); t += 0.25) {
        signRunner.onReading(t, ReadingInput::luminance(5));
        ASSERT_TRUE(signRunner.enter(why)) << why;
    }
    EXPECT_NE(pointPrompt(signRunner, sign, CaptureMode::Enter).find("press Enter the moment the mains fail"),
              std::string::npos);
    signRunner.onReading(100, {ReadingInput::Kind::NotLuminance, 0, false});
    EXPECT_NE(readingLine(signRunner).find("no luminance"), std::string::npos);
}

TEST(RunText, VerdictTableAlignsColumnsAndEndsWithTheVerdict) {
    ProcedureReport r;
    r.recipe = test::builtInRecipe("contrast-sequential");
    for (const auto& [patch, v] : {std::pair{"white", 120.0}, {"black", 4.0}}) {
        Capture c;
        c.point = "centre";
        c.patch = patch;
        c.value = v;
        r.measurements.put(c);
    }
    r.result = judge(r.recipe, r.measurements, {});
    const std::string table = verdictTable(r);
    EXPECT_NE(table.find("30.00 :1"), std::string::npos) << table;
    EXPECT_NE(table.find("pass with note (meets the basic decision making class"), std::string::npos) << table;
    EXPECT_EQ(table.substr(table.rfind("verdict:")), "verdict: pass with note\n");
    // The header's "verdict" column starts where the row's verdict does, counted in
    // characters (the row's "–" is three bytes).
    auto column = [](const std::string& line, std::size_t at) {
        return std::count_if(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(at),
                             [](char ch) { return (static_cast<unsigned char>(ch) & 0xC0) != 0x80; });
    };
    const auto header = table.substr(0, table.find('\n'));
    const auto row = table.substr(table.find('\n') + 1);
    ASSERT_NE(row.find("–"), std::string::npos);
    EXPECT_EQ(column(header, header.find("verdict")), column(row, row.find("pass with note")));
}

}  // namespace
}  // namespace photara
