#pragma once

#include <QTimer>
#include <QWidget>
#include <optional>

#include "core/procedure/recipe.h"

class QScreen;

namespace photara {

// The field the display under test shows, frameless and full-screen on the screen the user
// chose, advancing with the procedure. It is shown without taking the keyboard from the guide;
// a user who clicked it anyway can still take the point with Space or Enter, which it passes
// on. Esc leaves it. The mouse pointer goes after two seconds still, so it never sits in a
// measured cell.
class PatternWindow final : public QWidget {
    Q_OBJECT
  public:
    explicit PatternWindow(QWidget* parent = nullptr);

    // Covers screen (the primary one when none) and shows.
    void showOn(QScreen* screen);
    // The field for step; repaints.
    void showStep(const Recipe& recipe, const Step& step);

  signals:
    // The user pressed Esc or closed the window.
    void left();
    // Space, Enter or Return pressed here, meant for the guide.
    void keyForGuide(int key);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void pointerMoved();

    std::optional<Recipe> recipe_;
    Step step_;
    QTimer pointerStill_;
};

}  // namespace photara
