#pragma once

#include <QWidget>
#include <vector>

#include "core/procedure/point_history.h"

namespace photara {

// One point's values over time: dates across, cd/m² up, one dot per report coloured by the
// point's verdict there, the procedure's limits behind as bands (pass green, note amber).
class HistoryChart final : public QWidget {
    Q_OBJECT
  public:
    explicit HistoryChart(QWidget* parent = nullptr);

    void setHistory(std::vector<HistoryEntry> entries, std::vector<HistoryBand> bands);
    const std::vector<HistoryEntry>& entries() const { return entries_; }
    const std::vector<HistoryBand>& bands() const { return bands_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<HistoryEntry> entries_;
    std::vector<HistoryBand> bands_;
};

}  // namespace photara
