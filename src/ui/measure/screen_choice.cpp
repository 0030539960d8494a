#include "ui/measure/screen_choice.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace photara {

QString screenLabel(const QScreen* screen) {
    if (!screen) return {};
    const QList<QScreen*> screens = QGuiApplication::screens();
    const auto index = screens.indexOf(const_cast<QScreen*>(screen));
    const QString make = QStringLiteral("%1 %2").arg(screen->manufacturer(), screen->model()).simplified();
    const QString name = make.isEmpty() ? screen->name() : make;
    // In the screen's own pixels, not the desktop's scaled ones.
    const QSize size = screen->geometry().size() * screen->devicePixelRatio();
    QString label = QStringLiteral("Screen %1").arg(index + 1);
    if (!name.isEmpty()) label += QStringLiteral(" — ") + name + QStringLiteral(",");
    return label + QStringLiteral(" %1×%2").arg(size.width()).arg(size.height());
}

QScreen* screenForPattern(const QWidget* guide) {
    QScreen* own = guide ? guide->screen() : QGuiApplication::primaryScreen();
    for (QScreen* s : QGuiApplication::screens())
        if (s != own) return s;
    return own;
}

ScreenChoice::ScreenChoice(QWidget* parent) : QComboBox(parent) {
    setObjectName(QStringLiteral("patternScreen"));
    setToolTip(QStringLiteral("The screen that shows the measured field"));
    refill();
    connect(qGuiApp, &QGuiApplication::screenAdded, this, &ScreenChoice::refill);
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, &ScreenChoice::refill);
}

QScreen* ScreenChoice::chosenScreen() const {
    const QString name = currentData().toString();
    for (QScreen* s : QGuiApplication::screens())
        if (s->name() == name) return s;
    return QGuiApplication::primaryScreen();
}

void ScreenChoice::choose(QScreen* screen) {
    const int i = screen ? findData(screen->name()) : -1;
    if (i >= 0) setCurrentIndex(i);
}

// Each item holds its screen's name, so the choice stays on its screen while the list
// changes around it.
void ScreenChoice::refill() {
    QScreen* chosen = count() > 0 ? chosenScreen() : nullptr;
    const QSignalBlocker quiet(this);
    clear();
    for (QScreen* s : QGuiApplication::screens()) addItem(screenLabel(s), s->name());
    choose(chosen);
}

}  // namespace photara
