#include "ui/qt/GridView.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHeaderView>
#include <QStyleOptionHeader>
#include <QStylePainter>

#include "ui/Form1Layout.h"
#include "ui/qt/GridStyle.h"

TGridView::TGridView(TCellTableModel& model, QWidget* parent)
    : QTableView(parent), CellModel(model)
{
    setModel(&model);

    const TCellTable& table = model.Table();
    QHeaderView& top = *horizontalHeader();
    top.setSectionResizeMode(QHeaderView::Interactive);
    top.setMinimumSectionSize(1);
    top.setFixedHeight(GridRowHeight);
    top.setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int col = 1; col < table.ColCount(); ++col)
        top.resizeSection(col - 1, table.ColWidth(col));

    QHeaderView& side = *verticalHeader();
    side.setSectionResizeMode(QHeaderView::Fixed);
    side.setMinimumSectionSize(1);
    side.setDefaultSectionSize(GridRowHeight);
    side.setFixedWidth(table.ColWidth(0));

    for (QHeaderView* header : {&top, &side}) {
        header->setSectionsMovable(false);
        header->setSectionsClickable(false);
        header->setHighlightSections(false);
    }
    setSortingEnabled(false);
    setShowGrid(true);
    setGridStyle(Qt::SolidLine);
    setWordWrap(false);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    // The grids start on their first data cell; starting there is no move, so it raises no
    // selection event.
    if (model.rowCount() > 0 && model.columnCount() > 0)
        selectionModel()->setCurrentIndex(model.index(0, 0), QItemSelectionModel::NoUpdate);

    setCornerButtonEnabled(false);
    Corner = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    if (Corner)
        Corner->installEventFilter(this);
    for (QWidget* part : {static_cast<QWidget*>(this), static_cast<QWidget*>(&top),
                          static_cast<QWidget*>(&side), Corner})
        if (part)
            part->setStyle(GridStyle());
    connect(&model, &QAbstractItemModel::headerDataChanged, this, [this] {
        if (Corner)
            Corner->update();
    });
}

void TGridView::WidenColumnsToHeaders()
{
    QHeaderView& top = *horizontalHeader();
    const QFontMetrics metrics(top.font());
    const int margins = 2 * top.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &top) + 1;
    for (int section = 0; section < CellModel.columnCount(); ++section) {
        const QString text = CellModel.headerData(section, Qt::Horizontal).toString();
        const int needed = metrics.horizontalAdvance(text) + margins;
        if (top.sectionSize(section) < needed)
            top.resizeSection(section, needed);
    }
}

void TGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (current.isValid())
        emit SelectCell(TCellTableModel::TableCol(current), TCellTableModel::TableRow(current));
}

// The corner cell is the header of the number column, which Qt's corner button cannot show.
bool TGridView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Corner && event->type() == QEvent::Paint) {
        PaintCorner(*Corner);
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

void TGridView::PaintCorner(QWidget& corner) const
{
    QStylePainter painter(&corner);
    QStyleOptionHeader option;
    option.initFrom(&corner);
    // The corner button is disabled so that a click selects nothing; its text is not.
    option.state |= QStyle::State_Enabled | QStyle::State_Raised;
    option.palette.setCurrentColorGroup(QPalette::Active);
    option.rect = corner.rect();
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.text = CellModel.CornerText();
    painter.drawControl(QStyle::CE_Header, option);
}
