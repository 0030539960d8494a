#pragma once

#include <QFrame>

class QLabel;

namespace photara {

// A strip across the top of a window with the latest news (a recording stopped, a file that
// could not be read) and a close button. Unlike a message box it stops nothing: the poll,
// the trend and the other windows carry on while it shows.
class NoticeBar final : public QFrame {
    Q_OBJECT
  public:
    explicit NoticeBar(QWidget* parent = nullptr);

    void say(const QString& text);
    QString text() const;  // what it says while shown, empty once closed

  private:
    QLabel* label_;
};

}  // namespace photara
