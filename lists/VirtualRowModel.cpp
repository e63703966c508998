#include "lists/VirtualRowModel.h"

#include <algorithm>

void VirtualRowModel::InsertColumn(int index, const QString& caption) {
    index = std::clamp(index, 0, static_cast<int>(captions.size()));
    beginInsertColumns({}, index, index);
    captions.insert(index, caption);
    endInsertColumns();
}

void VirtualRowModel::SetRowCount(int count) {
    beginResetModel();
    rows = std::max(0, count);
    endResetModel();
}

int VirtualRowModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows;
}

int VirtualRowModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(captions.size());
}

QVariant VirtualRowModel::data(const QModelIndex&, int) const {
    return {};
}

QVariant VirtualRowModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < captions.size())
        return captions[section];
    return {};
}
