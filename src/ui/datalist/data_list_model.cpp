#include "ui/datalist/data_list_model.h"

#include "ui/base/latin1.h"

namespace photara {

DataListModel::DataListModel(std::shared_ptr<const DataSet> set, QObject* parent)
    : QAbstractTableModel(parent), set_(std::move(set)) {}

int DataListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(set_->rowCount());
}

int DataListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 3;
}

QVariant DataListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    if (role != Qt::DisplayRole) return {};
    const auto row = static_cast<std::size_t>(index.row());
    switch (index.column()) {
        case 0:
            return latin1(set_->samples.timeTexts[row]);
        case 1:
            return latin1(set_->firstTexts[row]);
        case 2:
            return latin1(set_->secondTexts[row]);
        default:
            return {};
    }
}

QVariant DataListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    if (role != Qt::DisplayRole) return {};
    switch (section) {
        case 0:
            return QStringLiteral("Date/Time");
        case 1:
            return latin1(set_->firstUnit);
        case 2:
            return latin1(set_->secondUnit);
        default:
            return {};
    }
}

}  // namespace photara
