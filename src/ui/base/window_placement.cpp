#include "ui/base/window_placement.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QSettings>
#include <QToolBar>
#include <QWidget>
#include <algorithm>
#include <limits>
#include <optional>
#include <utility>

namespace photara {
namespace {

qint64 area(const QRect& r) {
    return r.isEmpty() ? 0 : qint64{r.width()} * r.height();
}

qint64 overlap(const QRect& a, const QRect& b) {
    return area(a.intersected(b));
}

// The screen the owner lies on most; the first when it lies on none.
QRect screenOf(const QList<QRect>& screens, const QRect& owner) {
    QRect best = screens.front();
    qint64 bestOverlap = 0;
    for (const QRect& screen : screens) {
        if (overlap(screen, owner) > bestOverlap) {
            best = screen;
            bestOverlap = overlap(screen, owner);
        }
    }
    return best;
}

QRect clampInto(QRect frame, const QRect& screen) {
    frame.setSize(frame.size().boundedTo(screen.size()));
    frame.moveTo(std::clamp(frame.x(), screen.left(), screen.right() - frame.width() + 1),
                 std::clamp(frame.y(), screen.top(), screen.bottom() - frame.height() + 1));
    return frame;
}

enum class Side { Right, Left, Below, Above };

// Places beside the owner: along each side, level with the owner's edge first, then below
// or beside each other window, then at the screen's edges.
QList<QRect> candidates(const QRect& screen, QSize size, const QRect& owner,
                        const QList<QRect>& others, std::optional<Side> only = std::nullopt) {
    QList<int> ys{owner.top()};
    QList<int> xs{owner.left()};
    for (const QRect& other : others) {
        ys << other.bottom() + 1;
        xs << other.right() + 1;
    }
    ys << screen.top() << screen.bottom() - size.height() + 1;
    xs << screen.left() << screen.right() - size.width() + 1;
    auto on = [&](Side side) { return !only || *only == side; };
    QList<QRect> result;
    if (on(Side::Right))
        for (int y : ys) result << QRect(QPoint(owner.right() + 1, y), size);
    if (on(Side::Left))
        for (int y : ys) result << QRect(QPoint(owner.left() - size.width(), y), size);
    if (on(Side::Below))
        for (int x : xs) result << QRect(QPoint(x, owner.bottom() + 1), size);
    if (on(Side::Above))
        for (int x : xs) result << QRect(QPoint(x, owner.top() - size.height()), size);
    return result;
}

QList<QRect> availableAreas() {
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens()) areas << screen->availableGeometry();
    return areas;
}

QString settingsKey(const QWidget& window) {
    return QStringLiteral("windows/%1/geometry").arg(window.objectName());
}

// The frame's margins: the window's own once it has been shown, else its owner's.
QMargins frameMargins(const QWidget& window, const QWidget* owner) {
    const QWidget& framed = window.isVisible() || !owner ? window : *owner;
    const QRect frame = framed.frameGeometry();
    const QRect client = framed.geometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

bool placeRemembered(QWidget& window, const QMargins& margins) {
    const QRect remembered = QSettings().value(settingsKey(window)).toRect();
    if (!remembered.isValid() || !fitsOnScreens(availableAreas(), remembered + margins))
        return false;
    window.setGeometry(remembered);
    return true;
}

// Writes the window's place into the settings whenever the user moves or resizes it and
// when it closes; gives it its closing keys.
// Esc reaches the window itself only when no widget inside it used the key.
class PlaceKeeper final : public QObject {
  public:
    explicit PlaceKeeper(QWidget& window) : QObject(&window), window_(window) {
        setObjectName(QStringLiteral("PlaceKeeper"));
        window.installEventFilter(this);
        auto* close = new QAction(&window);
        close->setObjectName(QStringLiteral("CloseWindow"));
        close->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));  // under any platform theme
        connect(close, &QAction::triggered, &window, &QWidget::close);
        window.addAction(close);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress:
                if (watched == &window_ &&
                    static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
                    static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
                    window_.close();
                    return true;
                }
                break;
            case QEvent::Move:
            case QEvent::Resize:
                if (!window_.isVisible()) break;
                [[fallthrough]];
            case QEvent::Hide:
            case QEvent::Close:
                rememberWindowPlace(window_);
                break;
            default:
                break;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QWidget& window_;
};

void keepPlace(QWidget& window) {
    if (!window.findChild<QObject*>(QStringLiteral("PlaceKeeper"), Qt::FindDirectChildrenOnly))
        new PlaceKeeper(window);
}

// The first place beside the owner that is on the screen and covers no window.
std::optional<QRect> freePlace(const QRect& screen, QSize size, const QRect& owner,
                               const QList<QRect>& others,
                               std::optional<Side> only = std::nullopt) {
    for (const QRect& place : candidates(screen, size, owner, others, only)) {
        const bool free = std::none_of(others.begin(), others.end(),
                                       [&](const QRect& other) { return place.intersects(other); });
        if (screen.contains(place) && !place.intersects(owner) && free) return place;
    }
    return std::nullopt;
}

// The size cut to the room on each side of the owner, where that room still holds the
// window's minimum.
QList<std::pair<Side, QSize>> sizesThatFitBeside(const QRect& screen, QSize size,
                                                 const QRect& owner, QSize minimum) {
    const std::pair<Side, int> widths[] = {{Side::Right, screen.right() - owner.right()},
                                           {Side::Left, owner.left() - screen.left()}};
    const std::pair<Side, int> heights[] = {{Side::Below, screen.bottom() - owner.bottom()},
                                            {Side::Above, owner.top() - screen.top()}};
    QList<std::pair<Side, QSize>> sizes;
    for (auto [side, width] : widths)
        if (width >= minimum.width())
            sizes.append({side, QSize(std::min(width, size.width()), size.height())});
    for (auto [side, height] : heights)
        if (height >= minimum.height())
            sizes.append({side, QSize(size.width(), std::min(height, size.height()))});
    return sizes;
}

// Free room anywhere on the screen, away from the owner: the window at its minimum at a
// corner of the screen or against an edge of another window, then grown edge by edge
// towards its full size while it stays free.
std::optional<QRect> freeRoomElsewhere(const QRect& screen, QSize size, QSize minimum,
                                       const QRect& owner, const QList<QRect>& others) {
    QList<QRect> windows = others;
    windows << owner;
    auto free = [&](const QRect& r) {
        return screen.contains(r) && std::none_of(windows.begin(), windows.end(),
                                                  [&](const QRect& w) { return r.intersects(w); });
    };
    QList<int> xs{screen.left(), screen.right() - minimum.width() + 1};
    QList<int> ys{screen.top(), screen.bottom() - minimum.height() + 1};
    for (const QRect& w : windows) {
        xs << w.right() + 1 << w.left() - minimum.width();
        ys << w.bottom() + 1 << w.top() - minimum.height();
    }
    for (int y : ys) {
        for (int x : xs) {
            QRect place(QPoint(x, y), minimum);
            if (!free(place)) continue;
            for (bool grew = true; grew;) {
                grew = false;
                const QRect wider[] = {place.adjusted(-1, 0, 0, 0), place.adjusted(0, 0, 1, 0)};
                const QRect taller[] = {place.adjusted(0, -1, 0, 0), place.adjusted(0, 0, 0, 1)};
                for (const QRect& r : wider)
                    if (r.width() <= size.width() && free(r)) place = r, grew = true;
                for (const QRect& r : taller)
                    if (r.height() <= size.height() && free(r)) place = r, grew = true;
            }
            return place;
        }
    }
    return std::nullopt;
}

// The covered area a place costs: the owner and the other windows alike.
qint64 coverage(const QRect& place, const QRect& owner, const QList<QRect>& others) {
    qint64 cost = overlap(place, owner);
    for (const QRect& other : others) cost += overlap(place, other);
    return cost;
}

// With no free room: the place on the screen, clear of keepClear, that covers the least, at
// the window's size or at its minimum (which covers less where the window may shrink). The
// covered area only changes its slope where an edge of the window meets an edge of another
// (or of the screen), so the least lies where edges meet: those places are all tried, the
// ones beside the owner at the full size first so that a tie goes to them.
QRect leastCovering(const QRect& screen, const QList<QSize>& sizes, const QRect& owner,
                    const QList<QRect>& others, const QRect& keepClear) {
    QList<QRect> places;
    for (const QRect& place : candidates(screen, sizes.front(), owner, others))
        places << clampInto(place, screen);
    QList<QRect> edges = others;
    edges << owner << keepClear;
    for (const QSize size : sizes) {
        QList<int> xs{screen.left(), screen.right() - size.width() + 1};
        QList<int> ys{screen.top(), screen.bottom() - size.height() + 1};
        for (const QRect& r : edges) {
            if (r.isEmpty()) continue;
            xs << r.left() << r.right() + 1 << r.left() - size.width()
               << r.right() + 1 - size.width();
            ys << r.top() << r.bottom() + 1 << r.top() - size.height()
               << r.bottom() + 1 - size.height();
        }
        for (int y : ys)
            for (int x : xs) places << QRect(QPoint(x, y), size);
    }
    std::optional<QRect> best;
    qint64 bestCost = std::numeric_limits<qint64>::max();
    for (const QRect& place : places) {
        if (!screen.contains(place) || place.intersects(keepClear)) continue;
        if (const qint64 cost = coverage(place, owner, others); cost < bestCost) {
            best = place;
            bestCost = cost;
        }
    }
    // A screen too small to keep clear of it: the least covering place on the screen.
    if (!best && !keepClear.isEmpty()) return leastCovering(screen, sizes, owner, others, {});
    return best.value_or(places.front());
}

}  // namespace

QRect placeWindow(const QList<QRect>& screens, QSize frame, const QRect& owner,
                  const QList<QRect>& others, QSize minimum, const QRect& keepClear) {
    if (screens.isEmpty()) return QRect(QPoint(owner.right() + 1, owner.top()), frame);
    const QRect screen = screenOf(screens, owner);
    const QSize size = frame.boundedTo(screen.size());
    if (auto place = freePlace(screen, size, owner, others)) return *place;
    if (minimum.isValid()) {
        for (auto [side, smaller] :
             sizesThatFitBeside(screen, size, owner, minimum.boundedTo(size)))
            if (auto place = freePlace(screen, smaller, owner, others, side)) return *place;
        if (auto place = freeRoomElsewhere(screen, size, minimum.boundedTo(size), owner, others))
            return *place;
    }
    QList<QSize> sizes{size};
    if (minimum.isValid() && minimum.boundedTo(size) != size) sizes << minimum.boundedTo(size);
    return leastCovering(screen, sizes, owner, others, keepClear);
}

QRect toolbarStrip(const QWidget& owner) {
    QRect bars;
    for (const QToolBar* bar : owner.findChildren<QToolBar*>())
        if (bar->isVisible()) bars |= QRect(bar->mapToGlobal(QPoint(0, 0)), bar->size());
    if (bars.isEmpty()) return {};
    // Up to the frame's top: the title bar is how the user moves the panel.
    bars.setTop(std::min(bars.top(), owner.frameGeometry().top()));
    return bars;
}

bool fitsOnScreens(const QList<QRect>& screens, const QRect& frame) {
    return std::any_of(screens.begin(), screens.end(),
                       [&](const QRect& screen) { return screen.contains(frame); });
}

void setUpSecondaryWindow(QWidget& window, const QWidget* owner) {
    keepPlace(window);
    const QMargins margins = frameMargins(window, owner);
    if (placeRemembered(window, margins) || !owner) return;
    const QSize size = window.testAttribute(Qt::WA_Resized)
                           ? window.size()
                           : window.sizeHint().expandedTo(window.minimumSize());
    QList<QRect> others;
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other != &window && other != owner && other->isVisible() && other->isWindow())
            others << other->frameGeometry();
    }
    // A window that says how small it may get can be narrowed to the room there is.
    QSize minimum = window.minimumSize();
    if (const QSize hint = window.minimumSizeHint(); hint.isValid())
        minimum = minimum.expandedTo(hint);
    minimum = minimum.isEmpty() ? QSize() : minimum.grownBy(margins);
    const QRect frame = placeWindow(availableAreas(), size.grownBy(margins), owner->frameGeometry(),
                                    others, minimum, toolbarStrip(*owner));
    window.resize(frame.size().shrunkBy(margins));
    window.move(frame.topLeft());
}

void restoreWindowPlace(QWidget& window) {
    placeRemembered(window, frameMargins(window, nullptr));
}

void rememberWindowPlace(const QWidget& window) {
    QSettings().setValue(settingsKey(window), window.geometry());
}

}  // namespace photara
