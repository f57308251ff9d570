#include "ui/qt/PreviewPane.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "render/PictureFrame.h"
#include "render/RenderDrawing.h"
#include "ui/qt/DisplayText.h"

namespace {

constexpr double WheelStepFactor = 1.25;
// Texts lower than this are drawn as their baseline only.
constexpr double LeastTextPixels = 5.0;
constexpr double PointPixels = 3.0;
// Arcs are drawn as polylines with about one segment per this many pixels of their length.
constexpr double PixelsPerArcSegment = 4.0;
constexpr int MostArcSegments = 720;

// What one colour draws in a frame.
struct TBatch {
    std::vector<QLineF> Lines;
    std::vector<QPointF> Points;
    std::vector<const TPrimitive*> Texts;
    std::vector<const TPrimitive*> Fills;
};

QColor ColorOf(TRgb rgb)
{
    return QColor(rgb.R, rgb.G, rgb.B);
}

uint32_t KeyOf(TRgb rgb)
{
    return uint32_t{rgb.R} << 16 | uint32_t{rgb.G} << 8 | rgb.B;
}

// From drawing to widget coordinates.
struct TViewMap {
    double Scale;
    double OffsetX;
    double OffsetY;

    QPointF Point(TVec2 p) const { return {p.X * Scale + OffsetX, OffsetY - p.Y * Scale}; }
};

void AddArc(const TPrimitive& arc, const TViewMap& view, std::vector<QLineF>& lines)
{
    const TVec2* p = arc.P;
    const double pixels = (std::hypot(p[1].X, p[1].Y) + std::hypot(p[2].X, p[2].Y)) *
                          std::abs(arc.Sweep) * 0.5 * view.Scale;
    const int segments =
        std::clamp(static_cast<int>(pixels / PixelsPerArcSegment), 4, MostArcSegments);
    const auto at = [&](double t) {
        return view.Point({p[0].X + p[1].X * std::cos(t) + p[2].X * std::sin(t),
                           p[0].Y + p[1].Y * std::cos(t) + p[2].Y * std::sin(t)});
    };
    QPointF previous = at(arc.Start);
    for (int i = 1; i <= segments; ++i) {
        const QPointF next = at(arc.Start + arc.Sweep * i / segments);
        lines.emplace_back(previous, next);
        previous = next;
    }
}

void PaintText(QPainter& painter, const TPrimitive& text, const TViewMap& view,
               const std::string& cp932)
{
    const TVec2* p = text.P;
    const double height = std::hypot(p[2].X, p[2].Y);
    const double along = std::hypot(p[3].X, p[3].Y);
    if (height == 0.0 || along == 0.0)
        return;
    // Glyphs of a 100-pixel font in a space whose x axis runs along the baseline and whose y
    // axis runs down across it, scaled to the character height.
    constexpr double LayoutSize = 100.0;
    const double k = view.Scale / LayoutSize;
    const QPointF start = view.Point(p[0]);
    const QTransform glyphs(p[3].X / along * height * k, -p[3].Y / along * height * k,
                            -p[2].X * k, p[2].Y * k, start.x(), start.y());
    const QString shown = TextFromCp932(cp932);
    QFont font = painter.font();
    font.setPixelSize(static_cast<int>(LayoutSize));
    painter.setFont(font);
    painter.save();
    painter.setTransform(glyphs);
    const double length = std::hypot(p[1].X, p[1].Y) / height * LayoutSize;
    const double advance = painter.fontMetrics().horizontalAdvance(shown);
    if (length > 0.0 && advance > 0.0)
        painter.scale(length / advance, 1.0);
    painter.drawText(QPointF(0, 0), shown);
    painter.restore();
}

}  // namespace

TPreviewPane::TPreviewPane(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(200, 150);
}

void TPreviewPane::ShowDrawing(const TJwwDocument& doc)
{
    Primitives.Clear();
    RenderDrawing(doc, Primitives);
    Boxes.clear();
    Boxes.reserve(Primitives.Primitives.size());
    Extent = {};
    for (const TPrimitive& primitive : Primitives.Primitives) {
        const TBounds box = BoundsOf(primitive);
        Extent.Add(box);
        Boxes.push_back({static_cast<float>(box.MinX), static_cast<float>(box.MinY),
                         static_cast<float>(box.MaxX), static_cast<float>(box.MaxY)});
    }
    ZoomToFit();
}

void TPreviewPane::Highlight(const std::optional<TRenderFilter>& filter)
{
    Filter = filter;
    update();
}

void TPreviewPane::ZoomToFit()
{
    const TBounds frame = WithMargin(Extent);
    const double width = frame.MaxX - frame.MinX;
    const double height = frame.MaxY - frame.MinY;
    PixelsPerUnit = std::min(std::max(1, this->width()) / width, std::max(1, this->height()) / height);
    ViewCentre = {(frame.MinX + frame.MaxX) / 2, (frame.MinY + frame.MaxY) / 2};
    Fitted = true;
    update();
}

void TPreviewPane::ZoomAt(QPointF at, double factor)
{
    const TVec2 fixed = DrawingPoint(at);
    PixelsPerUnit *= factor;
    // The fixed point stays under the same widget point.
    ViewCentre = {fixed.X - (at.x() - width() / 2.0) / PixelsPerUnit,
                  fixed.Y + (at.y() - height() / 2.0) / PixelsPerUnit};
    Fitted = false;
    update();
}

TVec2 TPreviewPane::DrawingPoint(QPointF at) const
{
    return {ViewCentre.X + (at.x() - width() / 2.0) / PixelsPerUnit,
            ViewCentre.Y - (at.y() - height() / 2.0) / PixelsPerUnit};
}

QPointF TPreviewPane::WidgetPoint(TVec2 p) const
{
    return {width() / 2.0 + (p.X - ViewCentre.X) * PixelsPerUnit,
            height() / 2.0 - (p.Y - ViewCentre.Y) * PixelsPerUnit};
}

void TPreviewPane::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const TViewMap view{PixelsPerUnit, width() / 2.0 - ViewCentre.X * PixelsPerUnit,
                        height() / 2.0 + ViewCentre.Y * PixelsPerUnit};
    const TVec2 low = DrawingPoint(QPointF(0, height()));
    const TVec2 high = DrawingPoint(QPointF(width(), 0));
    const float onePixel = static_cast<float>(1.0 / PixelsPerUnit);

    // Greyed objects go first, so that what is highlighted lies on top of them.
    std::unordered_map<uint32_t, TBatch> batches;
    TBatch greyed;
    const std::vector<TPrimitive>& primitives = Primitives.Primitives;
    for (std::size_t i = 0; i < primitives.size(); ++i) {
        const std::array<float, 4>& box = Boxes[i];
        if (box[2] < low.X || box[0] > high.X || box[3] < low.Y || box[1] > high.Y)
            continue;
        const TPrimitive& primitive = primitives[i];
        const bool shown = !Filter || Filter->Shows(primitive.Source);
        TBatch& batch = shown ? batches[KeyOf(primitive.Color)] : greyed;
        if (box[2] - box[0] < onePixel && box[3] - box[1] < onePixel) {
            batch.Points.push_back(view.Point(primitive.P[0]));
            continue;
        }
        switch (primitive.Kind) {
        case TPrimitiveKind::Line:
            batch.Lines.emplace_back(view.Point(primitive.P[0]), view.Point(primitive.P[1]));
            break;
        case TPrimitiveKind::Arc:
            AddArc(primitive, view, batch.Lines);
            break;
        case TPrimitiveKind::Point:
            batch.Points.push_back(view.Point(primitive.P[0]));
            break;
        case TPrimitiveKind::Text: {
            const double pixels = std::hypot(primitive.P[2].X, primitive.P[2].Y) * PixelsPerUnit;
            if (pixels >= LeastTextPixels)
                batch.Texts.push_back(&primitive);
            else
                batch.Lines.emplace_back(
                    view.Point(primitive.P[0]),
                    view.Point({primitive.P[0].X + primitive.P[1].X, primitive.P[0].Y + primitive.P[1].Y}));
            break;
        }
        case TPrimitiveKind::Fill:
            batch.Fills.push_back(&primitive);
            break;
        }
    }

    const auto paint = [&](const TBatch& batch, const QColor& color) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        for (const TPrimitive* fill : batch.Fills) {
            const QPointF corners[4] = {view.Point(fill->P[0]), view.Point(fill->P[1]),
                                        view.Point(fill->P[2]), view.Point(fill->P[3])};
            painter.drawPolygon(corners, 4);
        }
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(color, 0));
        painter.drawLines(batch.Lines.data(), static_cast<int>(batch.Lines.size()));
        for (const TPrimitive* text : batch.Texts)
            PaintText(painter, *text, view, Primitives.Texts[text->TextIndex]);
        painter.setPen(QPen(color, PointPixels, Qt::SolidLine, Qt::SquareCap));
        painter.drawPoints(batch.Points.data(), static_cast<int>(batch.Points.size()));
    };
    paint(greyed, ColorOf(GreyedRgb));
    for (const auto& [key, batch] : batches)
        paint(batch, QColor::fromRgb(static_cast<QRgb>(key)));
}

void TPreviewPane::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    emit Hidden();
}

void TPreviewPane::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (Fitted)
        ZoomToFit();
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
        setCursor(Qt::ClosedHandCursor);
    }
}

void TPreviewPane::mouseMoveEvent(QMouseEvent* event)
{
    if (!DragFrom)
        return;
    const QPointF moved = event->position() - *DragFrom;
    DragFrom = event->position();
    ViewCentre.X -= moved.x() / PixelsPerUnit;
    ViewCentre.Y += moved.y() / PixelsPerUnit;
    Fitted = false;
    update();
}

void TPreviewPane::mouseReleaseEvent(QMouseEvent*)
{
    DragFrom.reset();
    unsetCursor();
}

void TPreviewPane::mouseDoubleClickEvent(QMouseEvent*)
{
    ZoomToFit();
}

void TPreviewPane::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Home: ZoomToFit(); break;
    case Qt::Key_Plus: ZoomAt(rect().center(), WheelStepFactor); break;
    case Qt::Key_Minus: ZoomAt(rect().center(), 1 / WheelStepFactor); break;
    case Qt::Key_Escape: Highlight(std::nullopt); break;
    default: QWidget::keyPressEvent(event); break;
    }
}
