// Shows one of the window's cell tables in a Qt view. Row 0 of the table (the header row) and
// column 0 (the number column) are the view's headers, the corner cell (0, 0) belongs to
// neither, and every other cell is an item: item (r, c) is the table's cell (c + 1, r + 1).
// The table stays the only copy of the cells; this class only translates, and hands what the
// user typed to the window logic, which stores it.
#pragma once

#include <QAbstractTableModel>

#include <functional>
#include <string>

#include "tables/CellTable.h"

class TCellTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // Stores text typed into the table's cell (col, row).
    using TCellTyped = std::function<void(int col, int row, const std::string& text)>;

    TCellTableModel(TCellTable& table, TCellTyped cellTyped, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Stores an edited text. A text equal to what the cell shows leaves the cell's bytes as they
    // are: an editor that was opened and closed has changed nothing, even where the bytes do not
    // decode or decode to a character that is stored in more than one way.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    const TCellTable& Table() const { return Cells; }
    QString CornerText() const;

    // The table's column and row of an item, and the item of a data cell.
    static int TableCol(const QModelIndex& index) { return index.column() + 1; }
    static int TableRow(const QModelIndex& index) { return index.row() + 1; }
    QModelIndex IndexOfCell(int col, int row) const { return index(row - 1, col - 1); }

    // The logic may have rewritten any cell, headers included.
    void TableChanged();

private:
    TCellTable& Cells;
    TCellTyped CellTyped;
};
