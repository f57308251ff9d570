// Paints a cell as usual and then, where the window's logic names a colour for the cell, fills
// the cell with it: the swatches of the colour table.
#pragma once

#include <QStyledItemDelegate>

#include <cstdint>
#include <functional>
#include <optional>

class TSwatchDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    // The colour of the table cell (ACol, ARow), 24-bit RGB with red in the lowest byte, or
    // nothing for a cell that is not a swatch.
    using TSwatchColor = std::function<std::optional<int32_t>(int ACol, int ARow)>;

    explicit TSwatchDelegate(TSwatchColor swatchColor, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    static QColor ColorOfValue(int32_t rgb);

private:
    TSwatchColor SwatchColor;
};
