#pragma once

#include <QAbstractTableModel>
#include <memory>

#include "core/datafile/data_set.h"

namespace photara {

// The three columns of the data list over a parsed data set: date and time, first value,
// second value, each as the data text shows it. Cells are made when the view asks for
// them, so a set of 13,000 rows loads as quickly as one of ten.
class DataListModel final : public QAbstractTableModel {
  public:
    explicit DataListModel(std::shared_ptr<const DataSet> set, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    std::shared_ptr<const DataSet> set_;
};

}  // namespace photara
