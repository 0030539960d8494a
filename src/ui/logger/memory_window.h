#pragma once

#include <QString>
#include <QWidget>
#include <map>
#include <string>
#include <vector>

class QLabel;
class QProgressBar;
class QTableWidget;

namespace photara {

struct MemoryStatus;

// What a downloaded set holds: the meter's list gives only each set's start time, so a set's
// size is known once it has been downloaded.
struct SetSummary {
    int readings = 0;
    QString span;  // "10:15:02 – 11:20:40", the first and the last reading's times
};
SetSummary summaryOfDataText(const std::string& dataText);

// The logger window "Data Logger": the memory gauge with its two legend swatches, the
// capacity, the progress bar of the directory read and of a download, and GridSet, one row
// per recorded set. It only shows and reports clicks; LoggerCommands does the talking.
class MemoryWindow final : public QWidget {
    Q_OBJECT
  public:
    explicit MemoryWindow(QWidget* panel);

    // Where it was last, or beside the panel, wholly on the screen.
    void placeBeside(const QWidget* panel);

    void showStatus(const MemoryStatus& status);  // LblMemorySize and the MSize gauge
    void setProgress(int percent);                // MBar
    // Replaces the rows: set k (1-based) with its start time taken from identifier k - 1, and
    // its readings and span where `known` holds them (by identifier).
    void listSets(const std::vector<std::string>& identifiers,
                  const std::map<std::string, SetSummary>& known = {});

    // While busy the window stays open (a transfer is using it) and GridSet takes no clicks.
    void setBusy(bool busy);
    bool busy() const { return busy_; }

    QTableWidget& grid() const { return *grid_; }

  signals:
    void setChosen(int setNumber);       // a GridSet row was clicked
    void eraseAllClicked(bool guarded);  // MSize (guarded) or a legend swatch (not guarded)

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QTableWidget* grid_;
    QLabel* capacity_;
    QProgressBar* gauge_;
    QProgressBar* progress_;
    bool busy_ = false;
};

}  // namespace photara
