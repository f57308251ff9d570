#include "ui/qt/SwatchDelegate.h"

#include <QPainter>

#include "ui/qt/CellTableModel.h"

TSwatchDelegate::TSwatchDelegate(TSwatchColor swatchColor, QObject* parent)
    : QStyledItemDelegate(parent), SwatchColor(std::move(swatchColor))
{
}

void TSwatchDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    const std::optional<int32_t> color =
        SwatchColor(TCellTableModel::TableCol(index), TCellTableModel::TableRow(index));
    if (color)
        painter->fillRect(option.rect, ColorOfValue(*color));
}

QColor TSwatchDelegate::ColorOfValue(int32_t rgb)
{
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}
