#pragma once

#include <QList>
#include <QRect>
#include <QSize>

class QWidget;

namespace photara {

// Where a new window's frame goes. It lies wholly on the available area of the screen its
// owner is on (shrunk to it when larger); beside its owner (right, left, below, above, in
// that order) where it covers neither the owner nor any other open window; failing that, a
// window that may be smaller (down to `minimum`) is narrowed or lowered to fit the room
// beside its owner, or else takes free room elsewhere on the screen; failing that, where it
// covers the least of the owner and the others together. It never covers keepClear (the
// panel's title and toolbar, which the user needs to reach) where the screen has room.
QRect placeWindow(const QList<QRect>& screens, QSize frame, const QRect& owner,
                  const QList<QRect>& others, QSize minimum = {}, const QRect& keepClear = {});

// The owner's title bar and toolbars, in screen coordinates (empty when it has no toolbar).
QRect toolbarStrip(const QWidget& owner);

// Whether a remembered frame still lies wholly on one of the screens' available areas.
bool fitsOnScreens(const QList<QRect>& screens, const QRect& frame);

// Readies a secondary window before it is shown. Its place: where it was when it last closed
// (QSettings, by objectName) if that is still on a screen, otherwise by placeWindow beside
// owner and away from the other open windows; remembered when it moves or closes. Its keys:
// Ctrl+W closes it, and so does Esc when nothing inside it takes the key.
void setUpSecondaryWindow(QWidget& window, const QWidget* owner);

// The panel: at its remembered place if that is still on a screen; remembered on close.
void restoreWindowPlace(QWidget& window);
void rememberWindowPlace(const QWidget& window);

}  // namespace photara
