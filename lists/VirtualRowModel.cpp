#include "lists/VirtualRowModel.h"

#include "lists/CellSource.h"

#include <algorithm>

VirtualRowModel::VirtualRowModel(const CellSource& source, QObject* parent)
    : QAbstractTableModel(parent), cells(source) {}

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

void VirtualRowModel::RowsChanged(int first, int last, const QList<int>& roles) {
    if (captions.isEmpty() || first > last)
        return;
    emit dataChanged(index(first, 0), index(last, static_cast<int>(captions.size()) - 1), roles);
}

int VirtualRowModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows;
}

int VirtualRowModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(captions.size());
}

bool VirtualRowModel::IsCell(const QModelIndex& index) const {
    return index.isValid() && index.row() < rows && index.column() < captions.size();
}

QVariant VirtualRowModel::data(const QModelIndex& index, int role) const {
    if (!IsCell(index))
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return cells.CellText(index.row(), index.column());
    case Qt::CheckStateRole:
        if (const std::optional<bool> tick = cells.RowTick(index.row()))
            return *tick ? Qt::Checked : Qt::Unchecked;
        return {};
    default:
        return {};
    }
}

Qt::ItemFlags VirtualRowModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (IsCell(index) && cells.RowTick(index.row()).has_value())
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

QVariant VirtualRowModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < captions.size())
        return captions[section];
    return {};
}
