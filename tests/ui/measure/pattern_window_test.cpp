// The pattern window covers the screen it is put on, and Esc leaves it with word to the guide;
// Space and Enter pressed on it reach the guide rather than being lost.
#include "ui/measure/pattern_window.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QSignalSpy>

#include "core/procedure/recipe_fixture.h"
#include "ui/measure/screen_choice.h"

namespace photara {
namespace {

void press(QWidget& w, int key) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &down);
}

TEST(PatternWindow, CoversTheChosenScreenAndEscLeavesIt) {
    QScreen* screen = QGuiApplication::screens().front();
    PatternWindow window;
    const Recipe recipe = test::builtInRecipe("display-uniformity");
    window.showStep(recipe, {"r1c1", "white"});
    window.showOn(screen);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.geometry(), screen->geometry());
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(window.grab().toImage().pixelColor(window.width() - 2, window.height() - 2),
              QColor(Qt::white));

    QSignalSpy left(&window, &PatternWindow::left);
    QSignalSpy forwarded(&window, &PatternWindow::keyForGuide);
    press(window, Qt::Key_Space);
    press(window, Qt::Key_Return);
    EXPECT_EQ(forwarded.count(), 2);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(left.count(), 0);
    press(window, Qt::Key_Escape);
    EXPECT_EQ(left.count(), 1);
    EXPECT_FALSE(window.isVisible());
}

TEST(PatternWindow, EveryScreenHasALabelAndThePatternAvoidsTheGuidesScreenWhenItCan) {
    QWidget guide;
    QScreen* chosen = screenForPattern(&guide);
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(chosen == guide.screen(), QGuiApplication::screens().size() == 1);
    ScreenChoice choice;
    ASSERT_EQ(choice.count(), QGuiApplication::screens().size());
    const QSize size = chosen->geometry().size() * chosen->devicePixelRatio();
    const QString label = screenLabel(chosen);
    EXPECT_TRUE(label.startsWith(QStringLiteral("Screen "))) << label.toStdString();
    EXPECT_TRUE(label.endsWith(QStringLiteral("%1×%2").arg(size.width()).arg(size.height())))
        << label.toStdString();
    choice.choose(chosen);
    EXPECT_EQ(choice.chosenScreen(), chosen);
}

}  // namespace
}  // namespace photara
