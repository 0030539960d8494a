#include "ui/base/window_placement.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace photara::test {
namespace {

struct PlacementCase {
    const char* name;
    QList<QRect> screens;
    QSize frame;
    QRect owner;
    QList<QRect> others;
    QRect expected;
    QSize minimum = {};
};

class PlaceWindow : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(PlaceWindow, LiesOnTheOwnersScreenBesideItAndAwayFromTheOthers) {
    const PlacementCase& c = GetParam();
    const QRect placed = placeWindow(c.screens, c.frame, c.owner, c.others, c.minimum);
    EXPECT_EQ(placed, c.expected);
    EXPECT_TRUE(fitsOnScreens(c.screens, placed));
}

const QRect kLaptop(0, 0, 1366, 768);

INSTANTIATE_TEST_SUITE_P(
    Layouts, PlaceWindow,
    ::testing::Values(
        PlacementCase{
            "RoomOnTheRight", {kLaptop}, {420, 400}, {100, 50, 520, 700}, {}, {620, 50, 420, 400}},
        PlacementCase{"NoRoomOnTheRightSoLeft",
                      {kLaptop},
                      {420, 400},
                      {800, 50, 520, 700},
                      {},
                      {380, 50, 420, 400}},
        PlacementCase{"BelowTheWindowAlreadyBeside",
                      {kLaptop},
                      {420, 400},
                      {0, 0, 520, 700},
                      {{520, 0, 420, 300}},
                      {520, 300, 420, 400}},
        PlacementCase{"TallerThanTheScreenIsShrunk",
                      {kLaptop},
                      {700, 900},
                      {0, 0, 520, 700},
                      {},
                      {520, 0, 700, 768}},
        PlacementCase{"OnTheOwnersScreenOfTwo",
                      {{0, 0, 1920, 1080}, {1920, 0, 1366, 768}},
                      {700, 500},
                      {2000, 0, 520, 700},
                      {},
                      {2520, 0, 700, 500}},
        PlacementCase{"SmallScreenCoversTheOwnerLeast",
                      {{0, 0, 800, 600}},
                      {700, 500},
                      {0, 0, 520, 600},
                      {},
                      {100, 0, 700, 500}},
        // A laptop with the panel in the middle and the logger on its right: a window that
        // may be narrower takes the room on the left instead of covering the panel.
        PlacementCase{"NarrowedIntoTheRoomOnTheLeft",
                      {kLaptop},
                      {900, 520},
                      {431, 40, 508, 700},
                      {{939, 40, 238, 440}},
                      {0, 40, 431, 520},
                      {400, 300}},
        PlacementCase{"LoweredIntoTheRoomBelow",
                      {kLaptop},
                      {1300, 500},
                      {0, 0, 1366, 400},
                      {},
                      {0, 400, 1300, 368},
                      {600, 300}},
        // A wide screen already holding the live window, the logger and the data list: the
        // plot takes the free corner right of the logger rather than covering it.
        PlacementCase{"FreeRoomAwayFromTheOwner",
                      {{0, 0, 1920, 1080}},
                      {702, 521},
                      {706, 215, 508, 691},
                      {{0, 215, 706, 541}, {1214, 215, 238, 441}, {1214, 656, 393, 392}},
                      {1452, 0, 468, 521},
                      {460, 320}},
        PlacementCase{"NoRoomForItsMinimumCoversTheOwnerLeast",
                      {kLaptop},
                      {900, 520},
                      {431, 40, 508, 700},
                      {{939, 40, 238, 440}},
                      {0, 0, 900, 520},
                      {500, 300}}),
    [](const ::testing::TestParamInfo<PlacementCase>& p) { return std::string(p.param.name); });

TEST(SecondaryWindow, ComesBackWhereItClosedUnlessThatIsOffScreenAndEscClosesIt) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget owner;
    owner.setGeometry(screen.left(), screen.top(), 200, 200);
    const QRect remembered(screen.left() + 300, screen.top() + 20, 160, 120);
    {
        QWidget window(nullptr, Qt::Window);
        window.setObjectName(QStringLiteral("Remembered"));
        setUpSecondaryWindow(window, &owner);
        window.show();
        window.setGeometry(remembered);
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(&window, &escape);
        EXPECT_FALSE(window.isVisible());
    }
    QWidget again(nullptr, Qt::Window);
    again.setObjectName(QStringLiteral("Remembered"));
    new QWidget(&again);  // a child of its own, which the set-up must not take for its keeper
    setUpSecondaryWindow(again, &owner);
    setUpSecondaryWindow(again, &owner);  // shown a second time
    EXPECT_EQ(again.geometry(), remembered);
    EXPECT_EQ(again.findChildren<QAction*>(QStringLiteral("CloseWindow")).size(), 1);

    QSettings().setValue(QStringLiteral("windows/Remembered/geometry"),
                         QRect(screen.right() + 500, 0, 160, 120));  // a screen since removed
    QWidget fallback(nullptr, Qt::Window);
    fallback.setObjectName(QStringLiteral("Remembered"));
    fallback.resize(160, 120);
    setUpSecondaryWindow(fallback, &owner);
    EXPECT_TRUE(screen.contains(fallback.frameGeometry()));
    EXPECT_FALSE(fallback.frameGeometry().intersects(owner.frameGeometry()));
}

}  // namespace
}  // namespace photara::test
