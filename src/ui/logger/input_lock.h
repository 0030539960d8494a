#pragma once

#include <QPointer>
#include <QWidget>
#include <vector>

namespace photara {

// While a transfer lets pending events run, the panel's keypad and toolbar must not start
// another exchange in the middle of it: this guard disables them (not merely ignores their
// clicks, so the user sees they are unavailable) and enables again, on every path out of
// the scope, exactly those it disabled.
class InputLock {
  public:
    // panel: the main window; its central widget and toolbars are locked. Null locks nothing.
    explicit InputLock(QWidget* panel);
    ~InputLock();
    InputLock(const InputLock&) = delete;
    InputLock& operator=(const InputLock&) = delete;

  private:
    void lock(QWidget* widget);

    std::vector<QPointer<QWidget>> locked_;
};

}  // namespace photara
