// The diagram of a procedure's points: each point is drawn where the recipe places it, in its
// verdict's colour, and a click there finds that point (the current one where marks share a
// place, as a run-up shares its place with the sign's first point).
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "core/procedure/recipe_fixture.h"
#include "ui/measure/procedure_diagram.h"

namespace photara::test {
namespace {

const QRectF kBounds(0, 0, 640, 400);

QPointF placeOf(const Recipe& r, const Point& p) {
    const QRectF frame = diagramFrame(kBounds, r);
    return {frame.left() + p.x * frame.width(), frame.top() + p.y * frame.height()};
}

class DiagramPoints : public ::testing::TestWithParam<const char*> {};

TEST_P(DiagramPoints, AClickOnEachPointFindsItAndItIsDrawnInItsVerdictsColour) {
    const Recipe r = builtInRecipe(GetParam());
    DiagramMarks marks;
    const Verdict cycle[] = {Verdict::Pass, Verdict::Fail, Verdict::PassWithNote};
    int i = 0;
    for (const Point& p : r.points) marks.verdicts[p.id] = cycle[i++ % 3];
    QImage image(kBounds.size().toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintProcedureDiagram(painter, kBounds, r, marks);
    painter.end();
    for (const Point& p : r.points) {
        const QPointF at = placeOf(r, p);
        const auto hit = diagramPointAt(kBounds, r, marks, at);
        // Points sharing a place answer with one of them: the last drawn, on top.
        ASSERT_TRUE(hit.has_value()) << p.id;
        EXPECT_EQ(placeOf(r, *r.point(*hit)), at) << p.id;
        EXPECT_EQ(image.pixelColor(at.toPoint()), verdictColour(marks.verdicts.at(*hit))) << p.id;
    }
    EXPECT_FALSE(diagramPointAt(kBounds, r, marks, QPointF(2, 2)).has_value());
    // Between the points the frame is the light paper of the screen, display or sign.
    const QRectF frame = diagramFrame(kBounds, r);
    const QPoint between = (frame.topLeft() + QPointF(0.22 * frame.width(), 0.22 * frame.height())).toPoint();
    EXPECT_GT(image.pixelColor(between).lightness(), 200);
}

INSTANTIATE_TEST_SUITE_P(Recipes, DiagramPoints,
                         ::testing::Values("cinema-theatre", "display-uniformity", "contrast-ansi", "exit-sign"));

TEST(DiagramCurrent, IsFoundFirstWhereMarksShareAPlace) {
    const Recipe r = builtInRecipe("exit-sign");
    DiagramMarks marks;
    marks.current = "run-up";  // at the same place as safety-1 and after-duration
    EXPECT_EQ(diagramPointAt(kBounds, r, marks, placeOf(r, *r.point("safety-1"))), "run-up");
}

}  // namespace
}  // namespace photara::test
