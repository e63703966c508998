#pragma once

#include <QAbstractTableModel>
#include <QStringList>

class CellSource;

// A model that holds no data of its own: it tells the view how many rows and
// columns there are and what the column captions say, and hands questions
// about a cell on to the list, which reads them from the owner's table.
// The lists draw their rows themselves; the roles serve screen readers.
// A row's tick, where rows have one, is carried by each of its cells: a
// table has no object for a row, and a reader then names the tick wherever
// in the row it is reading.
class VirtualRowModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // `cells` is borrowed and must outlive the model.
    VirtualRowModel(const CellSource& cells, QObject* parent);

    void InsertColumn(int index, const QString& caption);
    void SetRowCount(int count);
    // Tells the view that `roles` of rows first to last changed.
    void RowsChanged(int first, int last, const QList<int>& roles);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    bool IsCell(const QModelIndex& index) const;

    const CellSource& cells;
    QStringList captions;
    int rows = 0;
};
