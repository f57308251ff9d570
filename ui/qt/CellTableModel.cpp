#include "ui/qt/CellTableModel.h"

#include <utility>

#include "ui/qt/DisplayText.h"

TCellTableModel::TCellTableModel(TCellTable& table, TCellTyped cellTyped, QObject* parent)
    : QAbstractTableModel(parent), Cells(table), CellTyped(std::move(cellTyped))
{
}

int TCellTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Cells.RowCount() - 1;
}

int TCellTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Cells.ColCount() - 1;
}

QVariant TCellTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    return TextFromCp932(Cells.Cell(TableCol(index), TableRow(index)));
}

QVariant TCellTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    const bool horizontal = orientation == Qt::Horizontal;
    if (section < 0 || section >= (horizontal ? columnCount() : rowCount()))
        return {};
    if (role == Qt::TextAlignmentRole && !horizontal)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    // A header text that its narrow column cuts short can be read whole as a tooltip.
    const bool tooltip = role == Qt::ToolTipRole && horizontal;
    if (role != Qt::DisplayRole && !tooltip)
        return {};
    return TextFromCp932(horizontal ? Cells.Cell(section + 1, 0) : Cells.Cell(0, section + 1));
}

Qt::ItemFlags TCellTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool TCellTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid())
        return false;
    const QString text = value.toString();
    if (text == data(index, Qt::EditRole).toString())
        return true;
    CellTyped(TableCol(index), TableRow(index), TextToCp932(text));
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

QString TCellTableModel::CornerText() const
{
    return TextFromCp932(Cells.Cell(0, 0));
}

void TCellTableModel::TableChanged()
{
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    if (columnCount() > 0)
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    if (rowCount() > 0)
        emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}
