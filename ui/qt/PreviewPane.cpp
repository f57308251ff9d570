#include "ui/qt/PreviewPane.h"

#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <chrono>
#include <cmath>

#include "ui/Messages.h"
#include "ui/preview/CellStyle.h"
#include "ui/preview/CompareMode.h"
#include "ui/preview/PreviewPaint.h"
#include "ui/preview/PreviewPick.h"
#include "ui/qt/DisplayText.h"

namespace {

constexpr double WheelStepFactor = 1.25;
// How long the view waits after the last turn of the wheel before it draws afresh.
constexpr int SettleMilliseconds = 150;
constexpr qint64 SlowFrameMilliseconds = 60;
// Texts are laid out in a font of this many pixels and scaled to their height.
constexpr int TextLayoutPixels = 100;
// A press and release this many pixels apart or less are a click, not a drag.
constexpr int ClickSlackPixels = 2;
// The legend of a picture of a change lies this far from the top left corner.
constexpr int LegendInset = 6;

QPointF ToQt(TVec2 p)
{
    return {p.X, p.Y};
}

// The frame's pixels are drawn in memory; the painter, over the same memory, draws the glyphs.
class TQtCanvas : public TPreviewCanvas {
public:
    explicit TQtCanvas(QImage& frame) : Image(frame), Painter(&frame)
    {
        QFont font = Painter.font();
        font.setPixelSize(TextLayoutPixels);
        Painter.setFont(font);
    }

    TPixelFrame Frame() override
    {
        return {reinterpret_cast<uint32_t*>(Image.bits()), Image.width(), Image.height(), 0xFF000000u};
    }

    bool Text(const TTextPlacement& placement, const std::string& cp932, TRgb color) override
    {
        // Glyphs of the layout font in a space whose x axis runs along the baseline and whose y
        // axis runs down across it, scaled to the character height.
        const double k = placement.Height / TextLayoutPixels;
        const QTransform glyphs(placement.Along.X * k, placement.Along.Y * k, -placement.Up.X * k,
                                -placement.Up.Y * k, placement.Start.X, placement.Start.Y);
        const QString shown = TextFromCp932(cp932);
        Painter.save();
        Painter.setPen(QPen(QColor(color.R, color.G, color.B), 0));
        Painter.setTransform(glyphs);
        const double length = placement.Length / k;
        const double advance = Painter.fontMetrics().horizontalAdvance(shown);
        if (length > 0.0 && advance > 0.0)
            Painter.scale(length / advance, 1.0);
        Painter.drawText(QPointF(0, 0), shown);
        Painter.restore();
        return true;
    }

private:
    QImage& Image;
    QPainter Painter;
};

}  // namespace

TPreviewPane::TPreviewPane(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(200, 150);
    Settle.setSingleShot(true);
    Settle.setInterval(SettleMilliseconds);
    connect(&Settle, &QTimer::timeout, this, &TPreviewPane::Redraw);
    Legend = new QLabel(this);
    Legend->setObjectName(QStringLiteral("Legend"));
    Legend->setAutoFillBackground(true);
    Legend->setMargin(4);
    QString legend;
    for (const TLegendEntry& entry : CompareLegend())
        legend += QStringLiteral("<span style=\"color:%1\">\u25A0</span> %2&nbsp;&nbsp;")
                      .arg(QColor(entry.Color.R, entry.Color.G, entry.Color.B).name(), TextFromCp932(entry.Text));
    Legend->setText(legend);
    Legend->adjustSize();
    Legend->move(LegendInset, LegendInset);
    Legend->hide();

    StatusLine = new QWidget(this);
    StatusLine->setAutoFillBackground(true);
    auto* line = new QHBoxLayout(StatusLine);
    line->setContentsMargins(4, 1, 1, 1);
    PickLabel = new QLabel(StatusLine);
    PickLabel->setTextFormat(Qt::PlainText);
    PickLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    LayerChoice = new QComboBox(StatusLine);
    LayerChoice->addItem(TextFromCp932(PreviewShownLayers));
    LayerChoice->addItem(TextFromCp932(PreviewAllLayers));
    // The keys stay with the drawing.
    LayerChoice->setFocusPolicy(Qt::NoFocus);
    line->addWidget(PickLabel, 1);
    line->addWidget(LayerChoice);
    connect(LayerChoice, &QComboBox::currentIndexChanged, this, [this](int index) { ShowAllLayers(index == 1); });
}

QSize TPreviewPane::DrawingSize() const
{
    return {width(), std::max(1, height() - StatusLine->sizeHint().height())};
}

std::optional<TRenderSource> TPreviewPane::PickAt(QPointF at) const
{
    return ::PickAt(Drawing, SizedView(), {at.x(), at.y()}, PickPixels, Filter);
}

void TPreviewPane::ShowPick(const std::optional<TRenderSource>& picked)
{
    LastPick = picked;
    RefreshPickText();
}

void TPreviewPane::RefreshPickText()
{
    PickLabel->setText(LastPick && PickText ? TextFromCp932(PickText(*LastPick)) : QString());
}

void TPreviewPane::ShowAllLayers(bool all)
{
    ++*Generation;
    WaitForBackground();
    Drawing.ShowAllLayers(all);
    LayerChoice->setCurrentIndex(all ? 1 : 0);
    Redraw();
}

TPreviewPane::~TPreviewPane()
{
    ++*Generation;
    WaitForBackground();
}

void TPreviewPane::Redraw()
{
    ++*Generation;
    FrameValid = false;
    update();
}

void TPreviewPane::WaitForBackground()
{
    if (Background.valid())
        Background.wait();
}

void TPreviewPane::DrawInBackground()
{
    const uint64_t wanted = *Generation;
    if (Background.valid() &&
        Background.wait_for(std::chrono::seconds(0)) != std::future_status::ready &&
        BackgroundGeneration == wanted)
        return;
    WaitForBackground();  // an older frame, which stops at its next look
    BackgroundGeneration = wanted;
    const TView view{SizedView(), Filter};
    const QSize frameSize = DrawingSize();
    const std::shared_ptr<std::atomic<uint64_t>> generation = Generation;
    Background = std::async(std::launch::async, [this, view, frameSize, generation, wanted] {
        auto frame = std::make_shared<QImage>(frameSize, QImage::Format_RGB32);
        if (!PaintView(*frame, view, *generation, wanted))
            return;
        // Back on the window's thread; a pane that is gone drops the call.
        QMetaObject::invokeMethod(this, [this, frame, view, wanted] {
            if (*Generation != wanted)
                return;
            Frame = *frame;
            FrameValid = true;
            FrameView = view.Shown;
            update();
        }, Qt::QueuedConnection);
    });
}

void TPreviewPane::ShowDrawing(const TJwwDocument& doc, const TChangeMarks* changes)
{
    ++*Generation;
    WaitForBackground();
    SlowFrames = false;
    Drawing.Show(doc, changes);
    Legend->setVisible(changes != nullptr);
    ShowPick(std::nullopt);
    ZoomToFit();
    Redraw();
}

void TPreviewPane::FollowCells(const TForm1& form)
{
    if (StyleFollowsCells(Drawing, form))
        return;
    // A frame on its own thread reads the style.
    ++*Generation;
    WaitForBackground();
    RestyleFromCells(Drawing, form);
    Redraw();
}

void TPreviewPane::Highlight(const std::optional<TRenderFilter>& filter)
{
    Filter = filter;
    Redraw();
}

TPreviewView TPreviewPane::SizedView() const
{
    TPreviewView view = View;
    view.Width = DrawingSize().width();
    view.Height = DrawingSize().height();
    return view;
}

void TPreviewPane::ZoomToFit()
{
    View = SizedView();
    View.Fit(Drawing.ShownArea);
    Fitted = true;
    Redraw();
}

void TPreviewPane::ZoomAt(QPointF at, double factor)
{
    View = SizedView();
    View.ZoomAt({at.x(), at.y()}, factor);
    Fitted = false;
    ++*Generation;
    Settle.start();
    update();
}

TVec2 TPreviewPane::DrawingPoint(QPointF at) const
{
    return SizedView().DrawingPoint({at.x(), at.y()});
}

QPointF TPreviewPane::WidgetPoint(TVec2 p) const
{
    return ToQt(SizedView().Pixel(p));
}

void TPreviewPane::paintEvent(QPaintEvent*)
{
    bool moving = Settle.isActive() || DragFrom;
    if (!moving && (!FrameValid || Frame.size() != DrawingSize())) {
        if (SlowFrames) {
            DrawInBackground();
            moving = true;
        } else {
            QElapsedTimer timer;
            timer.start();
            Frame = QImage(DrawingSize(), QImage::Format_RGB32);
            PaintFrame(Frame);
            SlowFrames = timer.elapsed() > SlowFrameMilliseconds;
            FrameValid = true;
            FrameView = SizedView();
        }
    }
    QPainter painter(this);
    if (!moving) {
        painter.drawImage(0, 0, Frame);
        return;
    }
    const TRgb background = Drawing.Style.Background;
    painter.fillRect(DrawingRect(), QColor(background.R, background.G, background.B));
    if (Frame.isNull())
        return;
    // The last frame where its drawing lies now.
    const TPixelRect place = SizedView().PlaceOf(FrameView);
    painter.drawImage(QRectF(QPointF(place.Left, place.Top), QPointF(place.Right, place.Bottom)), Frame);
}

void TPreviewPane::PaintFrame(QImage& frame) const
{
    const std::atomic<uint64_t> unchanging{0};
    PaintView(frame, {SizedView(), Filter}, unchanging, 0);
}

bool TPreviewPane::PaintView(QImage& frame, const TView& view,
                             const std::atomic<uint64_t>& generation, uint64_t mine) const
{
    TPreviewView shown = view.Shown;
    shown.Width = frame.width();
    shown.Height = frame.height();
    TQtCanvas canvas(frame);
    return PaintPreview(Drawing, shown, view.Filter, canvas, [&] { return generation == mine; });
}

void TPreviewPane::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    emit Hidden();
}

bool TPreviewPane::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const QPoint at = static_cast<QHelpEvent*>(event)->pos();
    const std::optional<TRenderSource> picked =
        DrawingRect().contains(at) ? PickAt(at) : std::optional<TRenderSource>();
    if (picked && PickText) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), TextFromCp932(PickText(*picked)), this);
    } else {
        QToolTip::hideText();
        event->ignore();
    }
    return true;
}

void TPreviewPane::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int statusHeight = StatusLine->sizeHint().height();
    StatusLine->setGeometry(0, height() - statusHeight, width(), statusHeight);
    // Qt also sends resize events of an unchanged size, which keep the frame as it is.
    if (event->size() == event->oldSize() && !Frame.isNull())
        return;
    if (Fitted)
        ZoomToFit();
    Redraw();
}

void TPreviewPane::wheelEvent(QWheelEvent* event)
{
    const double steps = event->angleDelta().y() / 120.0;
    if (steps != 0.0)
        ZoomAt(event->position(), std::pow(WheelStepFactor, steps));
    event->accept();
}

void TPreviewPane::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        DragFrom = event->position();
        PressedAt = event->position();
        setCursor(Qt::ClosedHandCursor);
    }
}

void TPreviewPane::mouseMoveEvent(QMouseEvent* event)
{
    if (!DragFrom)
        return;
    const QPointF moved = event->position() - *DragFrom;
    DragFrom = event->position();
    View.Pan(moved.x(), moved.y());
    Fitted = false;
    update();
}

void TPreviewPane::mouseReleaseEvent(QMouseEvent* event)
{
    if (!DragFrom)
        return;
    DragFrom.reset();
    unsetCursor();
    Redraw();
    const bool click = PressedAt && (event->position() - *PressedAt).manhattanLength() <= ClickSlackPixels;
    PressedAt.reset();
    if (!click)
        return;
    const std::optional<TRenderSource> picked = PickAt(event->position());
    ShowPick(picked);
    if (!picked)
        Highlight(std::nullopt);
    if (Picked)
        Picked(picked);
}

void TPreviewPane::mouseDoubleClickEvent(QMouseEvent*)
{
    ZoomToFit();
}

void TPreviewPane::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Home: ZoomToFit(); break;
    case Qt::Key_Plus: ZoomAt(DrawingRect().center(), WheelStepFactor); break;
    case Qt::Key_Minus: ZoomAt(DrawingRect().center(), 1 / WheelStepFactor); break;
    case Qt::Key_Escape: Highlight(std::nullopt); break;
    default: QWidget::keyPressEvent(event); break;
    }
}
