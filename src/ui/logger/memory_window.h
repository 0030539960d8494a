#pragma once

#include <QWidget>
#include <string>
#include <vector>

class QLabel;
class QProgressBar;
class QTableWidget;

namespace photara {

struct MemoryStatus;

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
    // Replaces the rows: set k (1-based) with its start time taken from identifier k - 1.
    void listSets(const std::vector<std::string>& identifiers);

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
