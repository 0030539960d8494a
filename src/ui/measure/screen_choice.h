#pragma once

#include <QComboBox>
#include <QString>

class QScreen;

namespace photara {

// "Screen 2 — DELL U2720Q, 2560×1440": the screen's place in the desktop's list, its maker and
// model as the screen reports them (else the system's name for it), its size in pixels.
QString screenLabel(const QScreen* screen);

// Where the pattern goes by default: another screen than the one holding the guide when there
// is one (the display under test is rarely the one the guide is read on), else the guide's own.
QScreen* screenForPattern(const QWidget* guide);

// A choice of screen for the pattern window, kept up to date as screens come and go.
class ScreenChoice final : public QComboBox {
    Q_OBJECT
  public:
    explicit ScreenChoice(QWidget* parent = nullptr);

    // The chosen screen; the primary one when the choice is empty.
    QScreen* chosenScreen() const;
    void choose(QScreen* screen);

  private:
    void refill();
};

}  // namespace photara
