#include "core/procedure/recipe.h"
#include "core/procedure/recipe_library.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <tuple>

namespace photara {
namespace {

// A small valid recipe, one field per line, so a case can replace one line.
const std::string kValid = R"({
  "format": "photara-procedure",
  "format_version": 1,
  "id": "test",
  "version": 3,
  "title": "Test",
  "standard": {"name": "X 1", "year": 2020},
  "layout": "screen",
  "patches": [{"id": "white", "shows": "white"}],
  "points": [
    {"id": "centre", "name": "Centre", "groups": ["centre"], "patches": ["white"]},
    {"id": "left", "name": "Left", "x": 0.05, "groups": ["sides"], "patches": ["white"]}
  ],
  "criteria": [
    {"id": "c", "rule": "r", "kind": "percent_of_reference", "points": ["sides"], "reference": "centre", "min": 80, "max": 90}
  ]
})";

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

TEST(Recipe, ReadsTheValidRecipe) {
    auto r = readRecipe(kValid, "t.json");
    ASSERT_TRUE(std::holds_alternative<Recipe>(r)) << std::get<RecipeError>(r).text();
    const Recipe& recipe = std::get<Recipe>(r);
    EXPECT_EQ(recipe.version, 3);
    EXPECT_EQ(recipe.resolve("sides"), std::vector<std::string>{"left"});
    EXPECT_EQ(recipe.criteria[0].pass.min, 80);
    EXPECT_EQ(recipe.criteria[0].pass.max, 90);
}

struct BadRecipe {
    const char* from;
    const char* to;
    int line;
    const char* field;
    const char* message;
};

class RecipeRefused : public testing::TestWithParam<BadRecipe> {};

TEST_P(RecipeRefused, NamesTheFileLineAndField) {
    const BadRecipe& c = GetParam();
    auto r = readRecipe(replaced(kValid, c.from, c.to), "mine.json");
    ASSERT_TRUE(std::holds_alternative<RecipeError>(r));
    const RecipeError& e = std::get<RecipeError>(r);
    EXPECT_EQ(e.file, "mine.json");
    EXPECT_EQ(e.line, c.line) << e.text();
    EXPECT_EQ(e.field, c.field) << e.text();
    EXPECT_NE(e.message.find(c.message), std::string::npos) << e.text();
}

INSTANTIATE_TEST_SUITE_P(Table, RecipeRefused, testing::Values(
    BadRecipe{"\"max\": 90}", "\"max\": \"90\"}", 15, "criteria[0].max", "expected a number"},
    BadRecipe{"\"max\": 90}", "\"mx\": 90}", 15, "criteria[0].mx", "unknown field"},
    BadRecipe{"\"format_version\": 1", "\"format_version\": 2", 3, "format_version", "newer"},
    BadRecipe{"\"reference\": \"centre\"", "\"reference\": \"nowhere\"", 15, "criteria[0].reference", "exactly one point"},
    BadRecipe{"[\"sides\"]", "[\"side\"]", 15, "criteria[0].points", "no point or group"},
    BadRecipe{"\"x\": 0.05", "\"x\": 1.05", 12, "points[1].x", "between 0 and 1"},
    BadRecipe{"\"id\": \"left\"", "\"id\": \"centre\"", 12, "points[1].id", "given twice"},
    BadRecipe{"\"patches\": [\"white\"]}\n  ]", "\"patches\": [\"grey\"]}\n  ]", 12, "points[1].patches", "no patch"},
    BadRecipe{"\"kind\": \"percent_of_reference\"", "\"kind\": \"percent\"", 15, "criteria[0].kind", "unknown kind"},
    BadRecipe{"  \"title\": \"Test\",\n", "", 1, "title", "missing"},
    BadRecipe{"\"id\": \"test\"", "\"id\": \"a b\"", 4, "id", "letters, digits"},
    BadRecipe{"\"year\": 2020", "\"year\": 20.5", 7, "standard.year", "whole number"},
    BadRecipe{"\"version\": 3,", "\"version\": 3,,", 5, "", "expected a name"},
    BadRecipe{"\"title\": \"Test\"", "\"title\": \"Te\nst\"", 6, "", "control character"},
    BadRecipe{"\"layout\": \"screen\"", "\"layout\": \"screen\", \"layout\": \"grid\"", 8, "", "given twice"}));

TEST(Recipe, AGridNamesOnlyWhatItsGridMakes) {
    std::string text, error;
    ASSERT_TRUE(readTextFile(PHOTARA_SOURCE_DIR "/procedures/display-uniformity.json", text, error)) << error;
    for (const auto& [from, to, field] : {std::tuple{"\"outer\"", "\"outr\"", "points"},
                                          std::tuple{"\"reference\": \"centre\"", "\"reference\": \"r3\"", "reference"}}) {
        auto r = readRecipe(replaced(text, from, to), "u.json");
        ASSERT_TRUE(std::holds_alternative<RecipeError>(r)) << to;
        EXPECT_EQ(std::get<RecipeError>(r).field, std::string("criteria[0].") + field);
    }
}

TEST(Recipe, RefusesNestingBeyondTheLimitWithoutCrashing) {
    const std::string deep = std::string(100000, '[') + std::string(100000, ']');
    auto r = readRecipe(deep, "deep.json");
    ASSERT_TRUE(std::holds_alternative<RecipeError>(r));
    EXPECT_NE(std::get<RecipeError>(r).message.find("nested"), std::string::npos);
}

// The shipped recipes read, and the numbers of the limits are those of the standards (a
// slip in a data file is as wrong as one in code).
TEST(BuiltInRecipes, AllReadAndListBesideTheUsersOwn) {
    namespace fs = std::filesystem;
    const fs::path user = fs::path(testing::TempDir()) / "photara-user-procedures";
    fs::remove_all(user);
    fs::create_directories(user);
    std::ofstream(user / "mine.json") << replaced(kValid, "\"id\": \"test\"", "\"id\": \"mine\"");
    std::ofstream(user / "broken.json") << "{";
    const auto listing = listRecipes(PHOTARA_SOURCE_DIR "/procedures", user.string());
    std::vector<std::string> ids;
    for (const auto& r : listing.recipes) ids.push_back(r.recipe.id);
    EXPECT_EQ(ids, (std::vector<std::string>{"cinema-review-room", "cinema-theatre", "contrast-ansi",
                                             "contrast-sequential", "display-uniformity", "exit-sign",
                                             "film-screen", "mine", "warm-up"}));
    ASSERT_EQ(listing.errors.size(), 1u);
    EXPECT_NE(listing.errors[0].file.find("broken.json"), std::string::npos);
    EXPECT_EQ(listing.errors[0].line, 1);
    fs::remove_all(user);
}

TEST(RecipeFolders, FollowXdgDataHomeElseHome) {
    auto env = [](std::map<std::string, std::string> m) {
        return [m](const std::string& k) { return m.contains(k) ? m.at(k) : std::string(); };
    };
    EXPECT_EQ(userDataDir(env({{"XDG_DATA_HOME", "/x"}, {"HOME", "/h"}})), "/x/photara");
    EXPECT_EQ(userDataDir(env({{"XDG_DATA_HOME", "rel"}, {"HOME", "/h"}})), "/h/.local/share/photara");
    EXPECT_EQ(builtInDataDir("/usr/bin/photara-cli", env({})), "/usr/share/photara");
    EXPECT_EQ(builtInDataDir("/usr/bin/photara-cli", env({{"PHOTARA_DATA_DIR", "/d"}})), "/d");
}

}  // namespace
}  // namespace photara
