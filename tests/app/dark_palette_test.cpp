#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QPalette>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <cmath>

#include "app/photara_app.h"
#include "support/spin_until.h"
#include "sim/data_set_generator.h"

namespace photara {
namespace {

// A dark desktop palette, as a dark Plasma or GNOME theme hands a Qt program.
QPalette darkPalette() {
    QPalette p;
    p.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
    p.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
    p.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    p.setColor(QPalette::AlternateBase, QColor(0x33, 0x33, 0x33));
    p.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
    p.setColor(QPalette::Button, QColor(0x3a, 0x3a, 0x3a));
    p.setColor(QPalette::ButtonText, QColor(0xee, 0xee, 0xee));
    p.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, QColor(0x3a, 0x3a, 0x3a));
    p.setColor(QPalette::ToolTipText, QColor(0xee, 0xee, 0xee));
    return p;
}

double relativeLuminance(QRgb rgb) {
    auto channel = [](int c) {
        const double s = c / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(rgb)) + 0.7152 * channel(qGreen(rgb)) +
           0.0722 * channel(qBlue(rgb));
}

double contrast(QRgb a, QRgb b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The contrast of a widget's text against what it is drawn on, read from its own pixels:
// the commonest colour of the middle of the widget is the ground, the colour that stands
// out most from it is the ink. Text drawn in the ground's colour gives 1.
// The pixels are the window's, as the screen shows them: a label drawn on its parent's ground
// has no ground of its own.
double textContrast(const QImage& windowImage, QWidget& window, QWidget& widget) {
    const QRect area(widget.mapTo(&window, QPoint(0, 0)), widget.size());
    const QImage image = windowImage.copy(area);
    // A button's own rim is no text: look inside it.
    const QRect middle = qobject_cast<QAbstractButton*>(&widget)
                             ? QRect(image.width() / 5, image.height() / 4, image.width() * 3 / 5,
                                     image.height() / 2)
                             : image.rect();
    QHash<QRgb, int> counts;
    for (int y = middle.top(); y <= middle.bottom(); ++y)
        for (int x = middle.left(); x <= middle.right(); ++x) ++counts[image.pixel(x, y)];
    QRgb ground = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most) most = it.value(), ground = it.key();
    double best = 1.0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        best = std::max(best, contrast(it.key(), ground));
    return best;
}

using test::spinUntil;

// Every caption of every window stays readable on a dark desktop: no widget paints a ground
// of its own and leaves its text in the palette's light colour, or the other way round.
TEST(DarkPalette, EveryTextOfEveryWindowStandsOutFromItsGround) {
    const QPalette before = QApplication::palette();
    QApplication::setPalette(darkPalette());
    {
        PhotaraApp app(true);
        int ticks = 0;
        QObject::connect(&app.panel(), &Panel::tickShown, [&] { ++ticks; });
        app.start();
        ASSERT_TRUE(spinUntil([&] { return ticks >= 1; }));
        app.context().workspace.dataText = sim::generateDataText(sim::DataSetRecipe{});
        for (const ToolbarCommand command :
             {ToolbarCommand::List, ToolbarCommand::Graph, ToolbarCommand::Memory})
            app.panel().toolbarAction(command)->trigger();
        app.liveWindow().show();

        int checked = 0;
        auto checkEveryWindow = [&] {
            spinUntil([] { return false; });  // lets every window lay out and paint once
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (!window->isVisible()) continue;
                const QImage shown = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
                const auto widgets = window->findChildren<QWidget*>();
                for (QWidget* widget : widgets) {
                    QString text;
                    if (auto* label = qobject_cast<QLabel*>(widget)) text = label->text();
                    if (auto* button = qobject_cast<QAbstractButton*>(widget))
                        text = button->text();
                    // An icon-only tool button shows no text; the meter's spare keys lie
                    // beyond the window's edge, where nobody sees them.
                    if (auto* tool = qobject_cast<QToolButton*>(widget))
                        if (tool->toolButtonStyle() == Qt::ToolButtonIconOnly) continue;
                    if (widget->window() != window ||
                        !window->rect().contains(
                            QRect(widget->mapTo(window, QPoint(0, 0)), widget->size())))
                        continue;
                    // A disabled control may be faint; everything else must be read.
                    if (text.trimmed().isEmpty() || !widget->isVisible() || !widget->isEnabled() ||
                        widget->width() < 8 || widget->height() < 8)
                        continue;
                    ++checked;
                    EXPECT_GE(textContrast(shown, *window, *widget), 3.0)
                        << window->windowTitle().toStdString() << " / "
                        << widget->objectName().toStdString() << " \"" << text.toStdString()
                        << "\"";
                }
            }
        };
        // The clock window is modal: look at everything while it is up, then close it.
        QTimer::singleShot(0, [&] {
            checkEveryWindow();
            if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
        });
        app.panel().toolbarAction(ToolbarCommand::Rtc)->trigger();
        EXPECT_GT(checked, 40);  // the panel's keys alone are more: the windows were there
    }
    QApplication::setPalette(before);
}

}  // namespace
}  // namespace photara
