#pragma once

#include <QFrame>

#include "plot/range_entry.h"

class QGroupBox;
class QLineEdit;

namespace photara {

// The range panel "PicRange": minimum and maximum of each scale, Counts, and OK. The boxes
// take only the keys a number needs; any other key is swallowed and applies the panel, so
// Enter applies it and so does a letter typed in error.
class RangePanel final : public QFrame {
    Q_OBJECT
  public:
    explicit RangePanel(QWidget* parent = nullptr);

    // Fills the boxes from the settings and the Counts text.
    void fill(const PlotSettings& settings, const QString& counts);
    RangeEntry entry() const;

  signals:
    void applyRequested();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLineEdit* box(const QString& name, bool decimalPoint);

    QGroupBox* secondFrame_ = nullptr;
    QLineEdit* firstMinimum_ = nullptr;
    QLineEdit* firstMaximum_ = nullptr;
    QLineEdit* secondMinimum_ = nullptr;
    QLineEdit* secondMaximum_ = nullptr;
    QLineEdit* counts_ = nullptr;
};

}  // namespace photara
