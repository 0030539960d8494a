#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace photara {

// Which window a question belongs over: the one the user last clicked or typed in that is
// still shown. The active window alone is not enough: when a file dialog closes, the window
// manager may activate the panel, and the next question (the picture's size after Export's
// file name) then opened over the panel, hid the plot it is about and left the focus on the
// keypad. A closed dialog hands the role back to the window it was opened from.
class DialogOwner final : public QObject {
  public:
    explicit DialogOwner(QWidget* fallback = nullptr);
    void setFallback(QWidget* fallback) { fallback_ = fallback; }

    // The window last used that is still shown; else the active window; else the fallback.
    QWidget* window() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QList<QPointer<QWidget>> used_;  // the windows last used, the latest last
    QPointer<QWidget> fallback_;
};

// Gives the keyboard focus back, when a dialog closes, to the widget that had it before.
class FocusReturn {
  public:
    FocusReturn();
    ~FocusReturn();
    FocusReturn(const FocusReturn&) = delete;
    FocusReturn& operator=(const FocusReturn&) = delete;

  private:
    QPointer<QWidget> focus_;
};

}  // namespace photara
