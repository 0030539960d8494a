// The field each step of a display procedure shows, rendered to an image and read back by
// region: the patch's level away from the target, a target around the point being measured
// (its middle, where the meter's spot sits, left at the field's level) and nowhere else, the
// checkerboard's cells white from the top left, and never a blank screen.
#include "ui/measure/pattern_field.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>

#include "core/procedure/recipe_fixture.h"

namespace photara {
namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 320;

struct FieldCase {
    std::string recipe;
    std::size_t step = 0;
    std::string name;
};

void PrintTo(const FieldCase& c, std::ostream* os) { *os << c.name; }

Recipe displayRecipe(const std::string& id) { return test::builtInRecipe(id); }

// Every option on, so grey steps are drawn too.
std::vector<Step> allSteps(const Recipe& r) {
    std::vector<std::string> options;
    for (const RecipeOption& o : r.options) options.push_back(o.id);
    return stepsOf(r, options);
}

std::vector<FieldCase> fieldCases() {
    std::vector<FieldCase> cases;
    for (const char* id : {"contrast-ansi", "contrast-sequential", "display-uniformity", "warm-up"}) {
        const std::vector<Step> steps = allSteps(displayRecipe(id));
        for (std::size_t i = 0; i < steps.size(); ++i) {
            std::string name = std::string(id) + "_" + steps[i].point + "_" + steps[i].patch;
            for (char& ch : name)
                if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
            cases.push_back({id, i, name});
        }
    }
    return cases;
}

QImage render(const Recipe& r, const Step& step) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(QColor(1, 2, 3));  // a colour the field never has: an unpainted pixel shows
    QPainter p(&image);
    paintPatternField(p, image.rect(), r, step);
    return image;
}

QPoint at(double x, double y) {
    return {static_cast<int>(x * kWidth), static_cast<int>(y * kHeight)};
}

// What the field is at (x, y) when no target is there.
QColor expectedField(const std::string& patch, double x, double y) {
    if (patch == "checker") {
        const int row = static_cast<int>(y * 4);
        const int col = static_cast<int>(x * 4);
        return (row + col) % 2 == 0 ? Qt::white : Qt::black;
    }
    const int level = patch == "white" ? 255 : patch == "grey50" ? 128 : 0;
    return {level, level, level};
}

bool isTargetColour(QRgb c) {
    return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) > 200;
}

// Target pixels within `radius` pixels of centre.
int targetPixels(const QImage& image, QPoint centre, int radius) {
    int n = 0;
    for (int y = std::max(0, centre.y() - radius); y < std::min(kHeight, centre.y() + radius); ++y)
        for (int x = std::max(0, centre.x() - radius); x < std::min(kWidth, centre.x() + radius); ++x)
            n += isTargetColour(image.pixel(x, y)) ? 1 : 0;
    return n;
}

class PatternFieldTest : public testing::TestWithParam<FieldCase> {};

TEST_P(PatternFieldTest, DrawsThePatchAndMarksOnlyTheMeasuredPoint) {
    const FieldCase& c = GetParam();
    const Recipe recipe = displayRecipe(c.recipe);
    ASSERT_TRUE(isDisplayProcedure(recipe));
    const Step step = allSteps(recipe).at(c.step);
    const Point* point = recipe.point(step.point);
    ASSERT_NE(point, nullptr);
    const QImage image = render(recipe, step);
    // The target's reach on this image: a few percent of the short side.
    const int reach = kHeight / 8;

    // The point's own middle is left at the field's level: the meter's spot reads the patch.
    EXPECT_EQ(QColor(image.pixel(at(point->x, point->y))), expectedField(step.patch, point->x, point->y));
    const bool marked = recipe.grid.has_value() || step.patch == "checker";
    if (marked) {
        EXPECT_GT(targetPixels(image, at(point->x, point->y), reach), 20);
    } else {
        EXPECT_EQ(targetPixels(image, image.rect().center(), kWidth), 0);
    }
    // Every other point's middle, far enough from this one, is the plain field.
    for (const Point& other : recipe.points) {
        const QPoint o = at(other.x, other.y);
        if ((o - at(point->x, point->y)).manhattanLength() < 3 * reach) continue;
        EXPECT_EQ(QColor(image.pixel(o)), expectedField(step.patch, other.x, other.y)) << other.id;
        EXPECT_EQ(targetPixels(image, o, reach / 3), 0) << other.id;
    }
    // A full field with no points elsewhere: its corners.
    if (recipe.points.size() == 1) {
        for (const QPoint corner : {QPoint(3, 3), QPoint(kWidth - 4, kHeight - 4)}) {
            EXPECT_EQ(QColor(image.pixel(corner)), expectedField(step.patch, 0, 0));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(DisplayRecipes, PatternFieldTest, testing::ValuesIn(fieldCases()),
                         [](const testing::TestParamInfo<FieldCase>& c) { return c.param.name; });

TEST(PatternField, OnlyFieldsThePcShowsAreDisplayProcedures) {
    for (const auto& [id, display] : std::vector<std::pair<std::string, bool>>{
             {"contrast-ansi", true}, {"contrast-sequential", true}, {"display-uniformity", true},
             {"warm-up", true}, {"cinema-theatre", false}, {"film-screen", false},
             {"cinema-review-room", false}, {"exit-sign", false}})
        EXPECT_EQ(isDisplayProcedure(test::builtInRecipe(id)), display) << id;
}

TEST(PatternField, AnUnknownPatchStillFillsTheScreenAndSaysWhatItShows) {
    Recipe recipe = displayRecipe("contrast-sequential");
    recipe.patches.push_back({"red", "full red over the whole screen", ""});
    for (const std::string patch : {"red", "not-in-the-recipe"}) {
        const QImage image = render(recipe, {"centre", patch});
        int unpainted = 0;
        int text = 0;
        const QRgb field = image.pixel(2, 2);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                unpainted += image.pixel(x, y) == qRgb(1, 2, 3) ? 1 : 0;
                text += qGray(image.pixel(x, y)) > qGray(field) + 100 ? 1 : 0;
            }
        EXPECT_EQ(unpainted, 0) << patch;
        EXPECT_GT(text, 50) << patch;  // the words, light on the neutral field
    }
}

}  // namespace
}  // namespace photara
