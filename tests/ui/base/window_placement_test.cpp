#include "ui/base/window_placement.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QScreen>
#include <QSettings>
#include <QToolBar>
#include <QWidget>
#include <optional>
#include <utility>

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
        // No room for even its minimum: at that minimum it covers the least of the owner.
        PlacementCase{"NoRoomForItsMinimumCoversTheOwnerLeast",
                      {kLaptop},
                      {900, 520},
                      {431, 40, 508, 700},
                      {{939, 40, 238, 440}},
                      {0, 0, 500, 300},
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


// ---- Secondary windows opened one after another on common screens ---------------------------

struct ScreenCase {
    const char* name;
    QRect screen;
    QPoint panelAt;
};

// The panel's frame and, at its top, its title bar and toolbar; then the windows as the
// program opens them (live, logger, data list, plot, memory), each with its minimum.
constexpr QSize kPanel(508, 691);
constexpr int kPanelTopStrip = 62;
const std::pair<QSize, QSize> kOpened[] = {{{706, 541}, {460, 320}},
                                           {{238, 441}, {}},
                                           {{393, 392}, {300, 250}},
                                           {{702, 521}, {460, 320}},
                                           {{420, 300}, {}}};

qint64 covered(const QRect& place, const QRect& panel, const QList<QRect>& others) {
    auto area = [](const QRect& r) { return r.isEmpty() ? 0 : qint64{r.width()} * r.height(); };
    qint64 sum = area(place.intersected(panel));
    for (const QRect& other : others) sum += area(place.intersected(other));
    return sum;
}

// The least any full-size place on the screen and clear of the strip covers, on an 8 px grid
// that also holds the screen's far edges; nullopt when no place is clear.
std::optional<qint64> leastOnGrid(const QRect& screen, QSize size, const QRect& panel,
                                  const QRect& strip, const QList<QRect>& others) {
    std::optional<qint64> least;
    QList<int> xs{screen.right() - size.width() + 1}, ys{screen.bottom() - size.height() + 1};
    for (int x = screen.left(); x + size.width() <= screen.right() + 1; x += 8) xs << x;
    for (int y = screen.top(); y + size.height() <= screen.bottom() + 1; y += 8) ys << y;
    for (int y : ys)
        for (int x : xs) {
            const QRect place(QPoint(x, y), size);
            if (place.intersects(strip)) continue;
            const qint64 cost = covered(place, panel, others);
            if (!least || cost < *least) least = cost;
        }
    return least;
}

class OpenedInTurn : public ::testing::TestWithParam<ScreenCase> {};

TEST_P(OpenedInTurn, EachStaysOnTheScreenOffTheToolbarAndCoversTheLeast) {
    const ScreenCase& c = GetParam();
    const QRect panel(c.screen.topLeft() + c.panelAt, kPanel);
    const QRect strip(panel.topLeft(), QSize(panel.width(), kPanelTopStrip));
    QList<QRect> shown;
    for (const auto& [frame, minimum] : kOpened) {
        SCOPED_TRACE(shown.size());
        const QRect placed = placeWindow({c.screen}, frame, panel, shown, minimum, strip);
        EXPECT_TRUE(c.screen.contains(placed)) << placed.x() << "," << placed.y();
        EXPECT_FALSE(placed.intersects(strip));
        EXPECT_TRUE(placed.size() == frame || (minimum.isValid() &&
                                               placed.width() >= minimum.width() &&
                                               placed.height() >= minimum.height()));
        if (const auto least = leastOnGrid(c.screen, frame, panel, strip, shown)) {
            EXPECT_LE(covered(placed, panel, shown), *least);
        }
        shown << placed;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Screens, OpenedInTurn,
    ::testing::Values(ScreenCase{"Laptop1366PanelLeft", {0, 0, 1366, 740}, {0, 0}},
                      ScreenCase{"Laptop1366PanelMiddle", {0, 0, 1366, 740}, {429, 20}},
                      ScreenCase{"Screen1600PanelLeft", {0, 0, 1600, 1000}, {0, 0}},
                      ScreenCase{"Screen1600PanelMiddle", {0, 24, 1600, 976}, {546, 150}},
                      ScreenCase{"Screen1920PanelLeft", {0, 0, 1920, 1050}, {0, 0}},
                      ScreenCase{"Screen1920PanelMiddle", {0, 0, 1920, 1050}, {706, 215}}),
    [](const ::testing::TestParamInfo<ScreenCase>& p) { return std::string(p.param.name); });

TEST(ToolbarStrip, RunsFromTheTopOfTheFrameToTheFootOfTheToolbars) {
    QMainWindow panel;
    QToolBar* bar = panel.addToolBar(QStringLiteral("Tools"));
    bar->addAction(QStringLiteral("Open"));
    panel.setCentralWidget(new QWidget);
    panel.resize(400, 300);
    EXPECT_TRUE(toolbarStrip(panel).isEmpty());  // nothing shown yet
    panel.show();
    const QRect strip = toolbarStrip(panel);
    const QRect barOnScreen(bar->mapToGlobal(QPoint(0, 0)), bar->size());
    EXPECT_TRUE(strip.contains(barOnScreen));
    EXPECT_EQ(strip.top(), panel.frameGeometry().top());
    EXPECT_EQ(strip.bottom(), barOnScreen.bottom());
}

}  // namespace
}  // namespace photara::test
