#include "CheckListModel.h"

#include <algorithm>

namespace kyvo::recordings {

CheckListModel::CheckListModel(QObject* parent) : QAbstractListModel(parent) {}

int CheckListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

QVariant CheckListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !validRow(index.row()))
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return QString::fromStdU16String(names_[row]);
    case Qt::CheckStateRole:
        return checks_[row] ? Qt::Checked : Qt::Unchecked;
    default:
        return {};
    }
}

bool CheckListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || !index.isValid() || !validRow(index.row()))
        return false;
    setChecked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags CheckListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemNeverHasChildren;
}

void CheckListModel::assign(std::vector<std::u16string> names) {
    beginResetModel();
    names_ = std::move(names);
    checks_.assign(names_.size(), false);
    endResetModel();
}

void CheckListModel::clear() {
    assign({});
}

int CheckListModel::checkedCount() const {
    return static_cast<int>(std::count(checks_.begin(), checks_.end(), true));
}

bool CheckListModel::isChecked(int row) const {
    return validRow(row) && checks_[static_cast<std::size_t>(row)];
}

void CheckListModel::setChecked(int row, bool checked) {
    if (!validRow(row))
        return;
    const auto at = static_cast<std::size_t>(row);
    if (checks_[at] == checked)
        return;
    checks_[at] = checked;
    const QModelIndex changed = index(row);
    emit dataChanged(changed, changed, {Qt::CheckStateRole});
}

void CheckListModel::setAllChecked(bool checked) {
    if (names_.empty())
        return;
    std::fill(checks_.begin(), checks_.end(), checked);
    emit dataChanged(index(0), index(count() - 1), {Qt::CheckStateRole});
}

} // namespace kyvo::recordings
