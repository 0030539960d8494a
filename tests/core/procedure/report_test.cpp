#include "core/procedure/report.h"
#include "core/procedure/results_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "recipe_fixture.h"

namespace photara {
namespace {

// A 5 x 5 uniformity run: one cell fails, one is over range, the centre is the reference.
ProcedureReport uniformityReport(const std::string& site, const std::string& finished) {
    ProcedureReport r;
    r.recipe = test::builtInRecipe("display-uniformity", 5);
    r.settings = {{}, 5};
    for (const auto& p : r.recipe.points) {
        Capture c;
        c.point = p.id;
        c.patch = "white";
        c.value = p.id == "r1c1" ? 80 : 100;
        c.state = p.id == "r5c5" ? CaptureState::OverRange : CaptureState::Value;
        c.trigger = CaptureTrigger::Hold;
        c.capturedAt = "2026-12-08T10:15:02.250-03:30";
        c.readings = {{0, 99.5}, {0.25, std::nullopt}, {0.5, 100}};
        r.measurements.put(c);
    }
    r.result = judge(r.recipe, r.measurements, r.settings);
    r.info = {site, "Monitor <2> & \"B\"", "Ana", "after calibration", "virtual meter", "2026-12-08T10:00:00.000-03:30",
              finished, "hold", "spot", "Photara 10.2.0"};
    return r;
}

TEST(ReportJson, ReadsBackToTheSameReport) {
    const ProcedureReport r = uniformityReport("Studio 4", "2026-12-08T10:20:00.000-03:30");
    const std::string json = reportJson(r);
    auto back = readReport(json);
    ASSERT_TRUE(std::holds_alternative<ProcedureReport>(back)) << std::get<std::string>(back);
    EXPECT_EQ(reportJson(std::get<ProcedureReport>(back)), json);
    const ProcedureReport& b = std::get<ProcedureReport>(back);
    EXPECT_EQ(b.result.overall, Verdict::Fail);
    EXPECT_EQ(b.info.asset, "Monitor <2> & \"B\"");
    EXPECT_EQ(b.recipe.version, 1);
    const Capture* ol = b.measurements.find("r5c5", "white");
    ASSERT_NE(ol, nullptr);
    EXPECT_EQ(ol->state, CaptureState::OverRange);
    EXPECT_EQ(ol->readings.size(), 3u);
    EXPECT_FALSE(ol->readings[1].value);
    EXPECT_EQ(b.measurements.find("r1c1", "white")->value, 80);
}

TEST(ReportJson, RefusesWhatIsNoReport) {
    for (const char* text : {"", "{}", "[1]", "{\"format\": \"photara-procedure\"}",
                             "{\"format\": \"photara-report\", \"format_version\": 99}"}) {
        EXPECT_TRUE(std::holds_alternative<std::string>(readReport(text))) << text;
    }
}

TEST(ReportHtml, IsOneSelfContainedPageColouredByVerdict) {
    const std::string html = reportHtml(uniformityReport("Studio <4>", "2026-12-08T10:20:00.000-03:30"));
    for (const char* external : {"<script", "src=", "href=", "url(", "@import", "<link", "<iframe", "<img"}) {
        EXPECT_EQ(html.find(external), std::string::npos) << external;
    }
    EXPECT_NE(html.find("size: A4"), std::string::npos);
    EXPECT_NE(html.find("Studio &lt;4&gt;"), std::string::npos);
    EXPECT_EQ(html.find("Studio <4>"), std::string::npos);
    // r1c1 deviates 20 %: its circle is red, with its value beside it.
    const auto cell = html.find("<title>Row 1, column 1</title>");
    ASSERT_NE(cell, std::string::npos);
    const std::string circle = html.substr(cell, 200);
    EXPECT_NE(circle.find("#d32f2f"), std::string::npos) << circle;
    EXPECT_NE(circle.find(">80.00<"), std::string::npos) << circle;
    EXPECT_NE(html.find("ISO 12646:2015"), std::string::npos);
    EXPECT_NE(html.find(">OL<"), std::string::npos);
}

TEST(ResultsFolder, KeepsBySiteAndAssetListsAndReopens) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(testing::TempDir()) / "photara-results";
    fs::remove_all(dir);
    KeptReport a, b, c;
    std::string error;
    // Kept out of order, and at different UTC offsets: listed by the moment each finished.
    ASSERT_TRUE(keepReport(dir.string(), uniformityReport("Screen 1", "2026-12-08T12:00:00.000+01:00"), a, error)) << error;
    ASSERT_TRUE(keepReport(dir.string(), uniformityReport("Lobby", "2026-12-08T11:30:00.000+00:00"), b, error)) << error;
    ASSERT_TRUE(keepReport(dir.string(), uniformityReport("Screen 1", "2026-12-08T12:00:00.000+01:00"), c, error)) << error;
    EXPECT_NE(a.jsonPath, c.jsonPath) << "a second report of the same minute keeps the first";
    EXPECT_NE(a.jsonPath.find("/screen-1/monitor-2-b/20261208-120000-display-uniformity.json"), std::string::npos)
        << a.jsonPath;
    EXPECT_TRUE(fs::exists(a.htmlPath));

    const auto all = listResults(dir.string());
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].site, "Screen 1");  // 11:00 UTC, though "12:00" sorts after "11:30"
    EXPECT_EQ(all[2].site, "Lobby");     // 11:30 UTC
    const auto screen = listResults(dir.string(), "Screen 1");
    EXPECT_EQ(screen.size(), 2u);
    ProcedureReport again;
    ASSERT_TRUE(reopenReport(b.jsonPath, again, error)) << error;
    EXPECT_EQ(again.info.site, "Lobby");
    fs::remove_all(dir);
}

TEST(ResultsFolder, FolderNamesAreSafe) {
    EXPECT_EQ(folderName("Screen 1"), "screen-1");
    EXPECT_EQ(folderName("../../etc"), "etc");
    EXPECT_EQ(folderName(""), "unnamed");
    EXPECT_EQ(folderName("Kino Süd / Saal 2"), "kino-süd-saal-2");
}

}  // namespace
}  // namespace photara
