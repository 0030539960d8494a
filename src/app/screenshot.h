#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

namespace photara {

class GuiMeterSession;
class Panel;

// --screenshot: saves a picture of the panel as PNG right after the first poll tick that got
// the meter's display report, then ends the program with 0. If no report comes within the
// grace period (no meter), it saves the panel as it is and ends with 1, so that an unattended
// run never hangs.
class FirstReportScreenshot final : public QObject {
    Q_OBJECT
  public:
    static constexpr int kGraceMilliseconds = 10000;

    FirstReportScreenshot(Panel& panel, const GuiMeterSession& meter, QString file);

  private:
    void save(int exitCode);

    Panel& panel_;
    const GuiMeterSession& meter_;
    QString file_;
    QTimer grace_;
    bool done_ = false;
};

}  // namespace photara
