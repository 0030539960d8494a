#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace photara {

// Which window a question belongs over: the one the user last clicked or typed in. The
// active window alone is not enough: while a window waits for the meter, or just after a
// click, the window manager may still call another window active, and a dialog over the
// panel then hides the window it is about (and hands the focus to the keypad on closing).
class DialogOwner final : public QObject {
  public:
    explicit DialogOwner(QWidget* fallback = nullptr);
    void setFallback(QWidget* fallback) { fallback_ = fallback; }

    // The window last used, while it is shown; else the active window; else the fallback.
    QWidget* window() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPointer<QWidget> lastUsed_;
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
