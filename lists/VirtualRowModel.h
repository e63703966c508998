#pragma once

#include <QAbstractTableModel>
#include <QStringList>

// A model with no data of its own: it only tells the view how many rows and
// columns there are and what the column captions say. The lists draw their
// rows straight from the owner's tables.
class VirtualRowModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void InsertColumn(int index, const QString& caption);
    void SetRowCount(int count);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList captions;
    int rows = 0;
};
