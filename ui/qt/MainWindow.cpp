#include "ui/qt/MainWindow.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QIcon>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QMoveEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

#include <exception>
#include <optional>

#include "tables/TableRules.h"
#include "ui/Form1Layout.h"
#include "ui/Messages.h"
#include "ui/preview/PickRow.h"
#include "ui/preview/PreviewHighlight.h"
#include "ui/qt/DisplayText.h"
#include "ui/qt/PreviewPane.h"
#include "ui/qt/SwatchDelegate.h"
#include "ui/qt/WindowFont.h"

namespace {

QRect RectOf(const TForm1Place& place)
{
    return {place.Left, place.Top, place.Width, place.Height};
}

// The one local file of a drag, when it is a drawing; anything else is not taken.
std::optional<std::string> DroppedDrawing(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1)
        return std::nullopt;
    const QUrl& url = data->urls().first();
    if (!url.isLocalFile() || !url.toLocalFile().endsWith(QStringLiteral(".jww"), Qt::CaseInsensitive))
        return std::nullopt;
    return PathToOs(url.toLocalFile());
}

}  // namespace

TMainWindow::TMainWindow(TQtDesktopServices& services, QWidget* parent)
    : QMainWindow(parent), Form1(services), Services(services)
{
    // Qt shows "*" in place of "[*]" while the window is modified.
    setWindowTitle(TextFromCp932(Form1Caption) + QStringLiteral("[*]"));
    setAcceptDrops(true);
    setWindowIcon(QIcon::fromTheme(QStringLiteral("zelvane"),
                                   QIcon(QStringLiteral(":/icons/zelvane.svg"))));
    setFont(Form1Font());
    Services.SetDialogParent(this);
    Services.ShowStateBeforeMessages([this] { ShowFormState(); });

    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    BuildPanel1();
    layout->addWidget(Panel1);

    PageControl1 = new QTabWidget(client);
    layout->addWidget(PageControl1, 1);
    StringGrid1 = AddTab(Form1.StringGrid1, TabLayerGroups);
    StringGrid2 = AddTab(Form1.StringGrid2, TabLayers);
    StringGrid3 = AddTab(Form1.StringGrid3, TabColors);
    StringGrid4 = AddTab(Form1.StringGrid4, TabLineTypes);
    PageControl1->setCurrentIndex(0);
    setCentralWidget(client);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setFixedHeight(StatusBar1Height);
    setStatusBar(StatusBar1);
    BuildPreview();

    StringGrid3->setItemDelegate(new TSwatchDelegate(
        [this](int ACol, int ARow) { return Form1.StringGrid3DrawCell(ACol, ARow); }, StringGrid3));
    ConnectEvents();

    move(Form1Bounds.Left, Form1Bounds.Top);
    resize(Form1Bounds.Width, Form1Bounds.Height);
}

void TMainWindow::BuildPanel1()
{
    Panel1 = new QFrame(this);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setFixedHeight(Panel1Height);

    Button1 = new QPushButton(TextFromCp932(Button1Caption), Panel1);
    Button1->setGeometry(RectOf(Button1Bounds));
    Edit1 = new QLineEdit(Panel1);
    Edit1->setReadOnly(true);
    Edit1->setGeometry(RectOf(Edit1Bounds));
    Button2 = new QPushButton(TextFromCp932(Button2Caption), Panel1);
    Button2->setGeometry(RectOf(Button2Bounds));
    Button3 = new QPushButton(TextFromCp932(Button3Caption), Panel1);
    Button3->setGeometry(RectOf(Button3Bounds));
}

// Each grid fills a sheet of its own. A grid must not be the page itself: a page that is hidden
// while it holds the focus is asked to pass the focus on, which a grid takes as a Tab key and
// answers by moving its current cell.
TGridView* TMainWindow::AddTab(TCellTable& table, std::string_view caption)
{
    auto* sheet = new QWidget;
    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* model = new TCellTableModel(
        table,
        [this, &table](int col, int row, const std::string& text) {
            Form1.CellTyped(table, col, row, text);
            setWindowModified(Form1.Modified);
            Preview->RefreshPickText();
        },
        this);
    auto* grid = new TGridView(*model, sheet);
    layout->addWidget(grid);
    PageControl1->addTab(sheet, TextFromCp932(caption));
    Services.ShowTableIn(table, grid);
    return grid;
}

void TMainWindow::BuildPreview()
{
    // Placed by the window rather than the bar's layout, which keeps more room above its
    // widgets than below and too little for a caption; a flat frame takes a pixel a side.
    PreviewButton = new QToolButton(StatusBar1);
    PreviewButton->setText(QStringLiteral("プレビュー"));
    PreviewButton->setCheckable(true);
    PreviewButton->setAutoRaise(true);
    PreviewButton->setFont(StatusFont(PreviewButtonHeight(StatusBar1Height, PreviewButtonInset) - 2));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->installEventFilter(this);
    PlacePreviewButton();

    Preview = new TPreviewPane(this);
    Preview->setWindowFlag(Qt::Window);
    Preview->setWindowTitle(QStringLiteral("プレビュー"));
    Preview->resize(PreviewWidth, PreviewHeight);
    connect(PreviewButton, &QToolButton::toggled, this, [this](bool shown) {
        if (shown) {
            Preview->show();
            RefreshPreview();
        } else
            Preview->hide();
    });
    connect(Preview, &TPreviewPane::Hidden, this, [this] { PreviewButton->setChecked(false); });

    const std::pair<TGridView*, TTableKind> grids[] = {{StringGrid1, TTableKind::LayerGroups},
                                                       {StringGrid2, TTableKind::Layers},
                                                       {StringGrid3, TTableKind::Colors},
                                                       {StringGrid4, TTableKind::LineTypes}};
    Preview->PickText = [this](const TRenderSource& picked) { return PickText(Form1, picked); };
    Preview->Picked = [this, grids](const std::optional<TRenderSource>& picked) {
        const auto& [grid, kind] = grids[static_cast<std::size_t>(PageControl1->currentIndex())];
        if (picked)
            SelectPickedRow(*grid, kind, *picked);
    };
    // A click on the cell that is already current moves nothing, so it selects its row too.
    for (const auto& [grid, kind] : grids) {
        connect(grid, &TGridView::SelectCell, this, [this, kind = kind](int, int ARow) {
            Preview->Highlight(HighlightOfRow(kind, ARow));
        });
        connect(grid, &QAbstractItemView::clicked, this, [this, kind = kind](const QModelIndex& index) {
            Preview->Highlight(HighlightOfRow(kind, TCellTableModel::TableRow(index)));
        });
    }
}

// The row becomes current in the column that is, as a click on it would make it; the row
// that the tab has none for ends the highlight, which showed something else.
void TMainWindow::SelectPickedRow(TGridView& grid, TTableKind kind, const TRenderSource& picked)
{
    const std::optional<int> row = PickedRow(kind, picked);
    if (!row) {
        Preview->Highlight(std::nullopt);
        return;
    }
    const QModelIndex current = grid.currentIndex();
    const QModelIndex wanted =
        grid.Model().IndexOfCell(current.isValid() ? TCellTableModel::TableCol(current) : 1, *row);
    grid.setCurrentIndex(wanted);
    grid.scrollTo(wanted);
    Preview->Highlight(HighlightOfRow(kind, *row));
}

void TMainWindow::RefreshPreview()
{
    if (!Preview->isVisible())
        return;
    if (PreviewStale || PreviewedFile != Form1.LoadedFileName) {
        PreviewStale = false;
        PreviewedFile = Form1.LoadedFileName;
        const std::optional<TChangeMarks> marks =
            Comparison.Active(Form1.LoadedFileName) ? std::optional(Comparison.MarksFor(Form1.Document())) : std::nullopt;
        Preview->ShowDrawing(Form1.Document(), marks ? &*marks : nullptr);
    }
    Preview->FollowCells(Form1);
}

void TMainWindow::ConnectEvents()
{
    connect(Button1, &QPushButton::clicked, this, [this] {
        PreviewStale = true;
        RunHandler([this] { Form1.Button1Click(); });
        FocusTableAfterOpen();
    });
    connect(Button2, &QPushButton::clicked, this, [this] { RunHandler([this] { Form1.Button2Click(); }); });
    connect(Button3, &QPushButton::clicked, this, [this] { RunHandler([this] { Form1.Button3Click(); }); });

    // One remembered cell serves the first three tables, so all three raise the colour table's
    // selection handler.
    for (TGridView* grid : {StringGrid1, StringGrid2, StringGrid3})
        connect(grid, &TGridView::SelectCell, this, [this](int ACol, int ARow) {
            RunHandler([&] { Form1.StringGrid3SelectCell(ACol, ARow); });
        });
    connect(StringGrid4, &TGridView::SelectCell, this, [this](int ACol, int ARow) {
        RunHandler([&] { Form1.StringGrid4SelectCell(ACol, ARow); });
    });

    // A double-click on a colour or its swatch opens the colour dialog instead of an editor,
    // which would otherwise write its stale text over the chosen colour when it closes.
    StringGrid3->setEditTriggers(StringGrid3->editTriggers() & ~QAbstractItemView::DoubleClicked);
    connect(StringGrid3, &QAbstractItemView::doubleClicked, this, [this] { StringGrid3DblClick(); });
}

void TMainWindow::StringGrid3DblClick()
{
    const QModelIndex current = StringGrid3->currentIndex();
    if (!current.isValid())
        return;
    const int col = TCellTableModel::TableCol(current);
    RunHandler([&] { Form1.StringGrid3DblClick(col, TCellTableModel::TableRow(current)); });
    if (!ColorDialogTargetCol(col))
        StringGrid3->edit(current);
}

void TMainWindow::RunHandler(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        // Errors name what was being done and the file's path, which is the system's bytes.
        QMessageBox::critical(this, TextFromCp932(ApplicationTitle), PathFromOs(error.what()));
    }
    ShowFormState();
}

void TMainWindow::OpenFile(const std::string& path)
{
    PreviewStale = true;
    RunHandler([&] { Form1.OpenFile(path); });
    FocusTableAfterOpen();
}

void TMainWindow::OpenComparison(const std::string& oldPath, const std::string& newPath)
{
    Comparison.End();
    OpenFile(newPath);
    if (Form1.LoadedFileName.empty())
        return;
    if (std::string warning; !Comparison.Begin(oldPath, Form1.LoadedFileName, warning)) {
        Services.ShowMessageBox(warning, CaptionWarning, TMessageKind::Warning);
        return;
    }
    PreviewStale = true;
    ShowFormState();
    PreviewButton->setChecked(true);
}

// A keyboard user can edit the drawing just opened at once.
void TMainWindow::FocusTableAfterOpen()
{
    if (Form1.LoadedFileName.empty())
        return;
    if (QWidget* sheet = PageControl1->currentWidget())
        if (auto* grid = sheet->findChild<TGridView*>())
            grid->setFocus(Qt::OtherFocusReason);
}

void TMainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (DroppedDrawing(event->mimeData()))
        event->acceptProposedAction();
}

void TMainWindow::dropEvent(QDropEvent* event)
{
    const std::optional<std::string> path = DroppedDrawing(event->mimeData());
    if (!path)
        return;
    event->acceptProposedAction();
    OpenFile(*path);
}

void TMainWindow::ShowFormState()
{
    setWindowTitle((Comparison.Active(Form1.LoadedFileName) ? QString::fromStdString(Comparison.Title())
                                                            : TextFromCp932(Form1Caption)) +
                   QStringLiteral("[*]"));
    setWindowModified(Form1.Modified);
    Edit1->setText(PathFromOs(Form1.Edit1.Text));
    for (TGridView* grid : {StringGrid1, StringGrid2, StringGrid3, StringGrid4})
        grid->Model().TableChanged();
    RefreshPreview();
    Preview->RefreshPickText();
}

void TMainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    FitOuterSize();
    if (Shown)
        return;
    Shown = true;
    RunHandler([this] { Form1.FormShow(); });
    // The header rows are written now, and a font may need more room than they were given.
    for (TGridView* grid : {StringGrid1, StringGrid2, StringGrid3, StringGrid4})
        grid->WidenColumnsToHeaders();
}

void TMainWindow::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    FitOuterSize();
}

// The outer size includes the frame that the window manager puts around the window, which is
// known only once the window is on screen and decorated, often after it was first shown. The
// window is fitted once, the first time the frame is known; without a frame the window's own
// size already is the outer size.
void TMainWindow::FitOuterSize()
{
    const QWindow* window = windowHandle();
    if (FrameFitted || !window)
        return;
    const QMargins frame = window->frameMargins();
    if (frame.isNull())
        return;
    FrameFitted = true;
    resize(Form1Bounds.Width - frame.left() - frame.right(), Form1Bounds.Height - frame.top() - frame.bottom());
}

void TMainWindow::PlacePreviewButton()
{
    const int captionWidth = PreviewButton->fontMetrics().horizontalAdvance(PreviewButton->text());
    PreviewButton->setGeometry(RectOf(PreviewButtonPlace(StatusBar1->width(), StatusBar1->height(), captionWidth,
                                                         PreviewButtonMinWidth, PreviewButtonTextMargin,
                                                         PreviewButtonInset)));
}

bool TMainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == StatusBar1 && event->type() == QEvent::Resize)
        PlacePreviewButton();
    return QMainWindow::eventFilter(watched, event);
}

void TMainWindow::closeEvent(QCloseEvent* event)
{
    bool mayClose = true;
    RunHandler([&] { mayClose = Form1.FormCloseQuery(); });
    if (!mayClose) {
        event->ignore();
        return;
    }
    RunHandler([this] { Form1.FormClose(); });
    event->accept();
}
