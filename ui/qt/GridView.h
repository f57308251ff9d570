// A table view that behaves as the window's grids: the table's header row and number column
// stay in place as headers, grid lines run between all cells, columns take the table's widths
// and can be dragged wider, rows keep one height, nothing can be moved or sorted, a rectangle
// of cells can be selected and every data cell can be typed into.
#pragma once

#include <QTableView>

#include "ui/qt/CellTableModel.h"

class TGridView : public QTableView {
    Q_OBJECT

public:
    TGridView(TCellTableModel& model, QWidget* parent = nullptr);

    TCellTableModel& Model() const { return CellModel; }

    // Gives each column at least the room its header text needs in the view's font; the
    // table's widths stay the least.
    void WidenColumnsToHeaders();

signals:
    // The data cell (ACol, ARow) of the table became the current cell, by mouse or keyboard.
    // An editor that was open on the previous cell has already stored its text.
    void SelectCell(int ACol, int ARow);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PaintCorner(QWidget& corner) const;

    TCellTableModel& CellModel;
    QWidget* Corner = nullptr;
};
