#include "ui/qt/PreviewPane.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <unordered_map>

#include "render/PictureFrame.h"
#include "render/RenderDrawing.h"
#include "ui/qt/DisplayText.h"

namespace {

constexpr double WheelStepFactor = 1.25;
// Texts lower than this, and those beyond the first MostGlyphTexts in view, are drawn as their
// baseline.
constexpr double LeastTextPixels = 6.0;
constexpr std::size_t MostGlyphTexts = 3000;
// Arcs are drawn as polylines with about one segment per this many pixels of their length.
constexpr double PixelsPerArcSegment = 4.0;
constexpr int MostArcSegments = 720;
// How long the view waits after the last turn of the wheel before it draws afresh.
constexpr int SettleMilliseconds = 150;
constexpr qint64 SlowFrameMilliseconds = 60;
// How many primitives a frame walks between two looks at whether it is still wanted.
constexpr std::size_t PrimitivesBetweenChecks = 65536;
// Texts are laid out in a font of this many pixels and scaled to their height.
constexpr int TextLayoutPixels = 100;

// Lines of one colour wait here to be drawn together; drawing them in bounded batches keeps a
// frame's memory small whatever the drawing holds.
constexpr std::size_t LinesPerBatch = 8192;

// From drawing to widget coordinates.
struct TViewMap {
    double Scale;
    double OffsetX;
    double OffsetY;

    QPointF Point(TVec2 p) const { return {p.X * Scale + OffsetX, OffsetY - p.Y * Scale}; }
};

// Calls add with each segment of the polyline that draws the arc.
template <class TAdd>
void AddArc(const TPrimitive& arc, const TViewMap& view, TAdd add)
{
    const TVec2* p = arc.P;
    const double pixels = (std::hypot(p[1].X, p[1].Y) + std::hypot(p[2].X, p[2].Y)) *
                          std::abs(arc.Sweep) * 0.5 * view.Scale;
    const int segments =
        std::clamp(static_cast<int>(pixels / PixelsPerArcSegment), 4, MostArcSegments);
    const auto at = [&](double cosine, double sine) {
        return view.Point({p[0].X + p[1].X * cosine + p[2].X * sine,
                           p[0].Y + p[1].Y * cosine + p[2].Y * sine});
    };
    // Each step turns the angle by the same amount, which a rotation does without the sines.
    const double stepCosine = std::cos(arc.Sweep / segments);
    const double stepSine = std::sin(arc.Sweep / segments);
    double cosine = std::cos(arc.Start);
    double sine = std::sin(arc.Start);
    QPointF previous = at(cosine, sine);
    for (int i = 1; i <= segments; ++i) {
        const double turned = cosine * stepCosine - sine * stepSine;
        sine = sine * stepCosine + cosine * stepSine;
        cosine = turned;
        const QPointF next = at(cosine, sine);
        add(QLineF(previous, next));
        previous = next;
    }
}

QLineF Baseline(const TPrimitive& text, const TViewMap& view)
{
    const TVec2* p = text.P;
    return {view.Point(p[0]), view.Point({p[0].X + p[1].X, p[0].Y + p[1].Y})};
}

void PaintText(QPainter& painter, const TPrimitive& text, const TViewMap& view,
               const std::string& cp932)
{
    const TVec2* p = text.P;
    const double height = std::hypot(p[2].X, p[2].Y);
    const double along = std::hypot(p[3].X, p[3].Y);
    if (height == 0.0 || along == 0.0)
        return;
    // Glyphs of the layout font in a space whose x axis runs along the baseline and whose y
    // axis runs down across it, scaled to the character height.
    const double k = view.Scale / TextLayoutPixels;
    const QPointF start = view.Point(p[0]);
    const QTransform glyphs(p[3].X / along * height * k, -p[3].Y / along * height * k,
                            -p[2].X * k, p[2].Y * k, start.x(), start.y());
    const QString shown = TextFromCp932(cp932);
    painter.save();
    painter.setTransform(glyphs);
    const double length = std::hypot(p[1].X, p[1].Y) / height * TextLayoutPixels;
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
    Settle.setSingleShot(true);
    Settle.setInterval(SettleMilliseconds);
    connect(&Settle, &QTimer::timeout, this, &TPreviewPane::Redraw);
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
    const TView view{PixelsPerUnit, ViewCentre, Filter};
    const QSize frameSize = size();
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
            FrameScale = view.Scale;
            FrameCentre = view.Centre;
            update();
        }, Qt::QueuedConnection);
    });
}

void TPreviewPane::ShowDrawing(const TJwwDocument& doc)
{
    ++*Generation;
    WaitForBackground();
    SlowFrames = false;
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
    Redraw();
}

void TPreviewPane::Highlight(const std::optional<TRenderFilter>& filter)
{
    Filter = filter;
    Redraw();
}

void TPreviewPane::ZoomToFit()
{
    const TBounds frame = WithMargin(Extent);
    const double width = frame.MaxX - frame.MinX;
    const double height = frame.MaxY - frame.MinY;
    PixelsPerUnit = std::min(std::max(1, this->width()) / width, std::max(1, this->height()) / height);
    ViewCentre = {(frame.MinX + frame.MaxX) / 2, (frame.MinY + frame.MaxY) / 2};
    Fitted = true;
    Redraw();
}

void TPreviewPane::ZoomAt(QPointF at, double factor)
{
    const TVec2 fixed = DrawingPoint(at);
    PixelsPerUnit *= factor;
    // The fixed point stays under the same widget point.
    ViewCentre = {fixed.X - (at.x() - width() / 2.0) / PixelsPerUnit,
                  fixed.Y + (at.y() - height() / 2.0) / PixelsPerUnit};
    Fitted = false;
    ++*Generation;
    Settle.start();
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
    bool moving = Settle.isActive() || DragFrom;
    if (!moving && (!FrameValid || Frame.size() != size())) {
        if (SlowFrames) {
            DrawInBackground();
            moving = true;
        } else {
            QElapsedTimer timer;
            timer.start();
            Frame = QImage(size(), QImage::Format_RGB32);
            PaintFrame(Frame);
            SlowFrames = timer.elapsed() > SlowFrameMilliseconds;
            FrameValid = true;
            FrameScale = PixelsPerUnit;
            FrameCentre = ViewCentre;
        }
    }
    QPainter painter(this);
    if (!moving) {
        painter.drawImage(0, 0, Frame);
        return;
    }
    if (Frame.isNull()) {
        painter.fillRect(rect(), Qt::white);
        return;
    }
    // The last frame where its drawing lies now.
    painter.fillRect(rect(), Qt::white);
    const double factor = PixelsPerUnit / FrameScale;
    const QPointF centre(width() / 2.0, height() / 2.0);
    painter.translate(centre + QPointF((FrameCentre.X - ViewCentre.X) * PixelsPerUnit,
                                       (ViewCentre.Y - FrameCentre.Y) * PixelsPerUnit));
    painter.scale(factor, factor);
    painter.drawImage(-centre, Frame);
}

void TPreviewPane::PaintFrame(QImage& frame) const
{
    const std::atomic<uint64_t> unchanging{0};
    PaintView(frame, {PixelsPerUnit, ViewCentre, Filter}, unchanging, 0);
}

bool TPreviewPane::PaintView(QImage& frame, const TView& shown,
                             const std::atomic<uint64_t>& generation, uint64_t mine) const
{
    frame.fill(Qt::white);
    const double scale = shown.Scale;
    const TVec2 centre = shown.Centre;
    const std::optional<TRenderFilter>& filter = shown.Filter;
    const TViewMap view{scale, frame.width() / 2.0 - centre.X * scale,
                        frame.height() / 2.0 + centre.Y * scale};
    const TVec2 low{centre.X - frame.width() / 2.0 / scale, centre.Y - frame.height() / 2.0 / scale};
    const TVec2 high{centre.X + frame.width() / 2.0 / scale, centre.Y + frame.height() / 2.0 / scale};
    const float onePixel = static_cast<float>(1.0 / scale);
    // Pixels are set directly: painting them one at a time would take longer than all the rest
    // of a frame. The painter draws into the same memory, so the two keep their order.
    const int width = frame.width();
    const int height = frame.height();
    auto* pixels = reinterpret_cast<QRgb*>(frame.bits());
    const auto dot = [&](QPointF at, int radius, QRgb rgb) {
        const int x = static_cast<int>(std::floor(at.x()));
        const int y = static_cast<int>(std::floor(at.y()));
        for (int py = std::max(0, y - radius); py <= std::min(height - 1, y + radius); ++py)
            for (int px = std::max(0, x - radius); px <= std::min(width - 1, x + radius); ++px)
                pixels[py * width + px] = rgb;
    };

    QPainter painter(&frame);
    QFont font = painter.font();
    font.setPixelSize(TextLayoutPixels);
    painter.setFont(font);
    std::unordered_map<QRgb, std::vector<QLineF>> batches;
    const auto flush = [&painter](QRgb rgb, std::vector<QLineF>& lines) {
        painter.setPen(QPen(QColor::fromRgb(rgb), 0));
        painter.drawLines(lines.data(), static_cast<int>(lines.size()));
        lines.clear();
    };
    const auto line = [&](QRgb rgb, const QLineF& added) {
        std::vector<QLineF>& lines = batches[rgb];
        lines.push_back(added);
        if (lines.size() >= LinesPerBatch)
            flush(rgb, lines);
    };
    std::size_t glyphTexts = 0;

    // With a highlight, the greyed objects go first, so that what it shows lies on top.
    const std::vector<TPrimitive>& primitives = Primitives.Primitives;
    for (const bool greyedPass : {true, false}) {
        if (greyedPass && !filter)
            continue;
        for (std::size_t i = 0; i < primitives.size(); ++i) {
            if (i % PrimitivesBetweenChecks == 0 && generation != mine)
                return false;
            const std::array<float, 4>& box = Boxes[i];
            if (box[2] < low.X || box[0] > high.X || box[3] < low.Y || box[1] > high.Y)
                continue;
            const TPrimitive& primitive = primitives[i];
            if (filter && filter->Shows(primitive.Source) == greyedPass)
                continue;
            const TRgb color = greyedPass ? GreyedRgb : primitive.Color;
            const QRgb rgb = qRgb(color.R, color.G, color.B);
            if (primitive.Kind == TPrimitiveKind::Point) {
                dot(view.Point(primitive.P[0]), 1, rgb);
                continue;
            }
            if (box[2] - box[0] < onePixel && box[3] - box[1] < onePixel) {
                dot(view.Point(primitive.P[0]), 0, rgb);
                continue;
            }
            switch (primitive.Kind) {
            case TPrimitiveKind::Line:
                line(rgb, {view.Point(primitive.P[0]), view.Point(primitive.P[1])});
                break;
            case TPrimitiveKind::Arc:
                AddArc(primitive, view, [&](const QLineF& segment) { line(rgb, segment); });
                break;
            case TPrimitiveKind::Text:
                if (std::hypot(primitive.P[2].X, primitive.P[2].Y) * scale >= LeastTextPixels &&
                    glyphTexts < MostGlyphTexts) {
                    ++glyphTexts;
                    painter.setPen(QPen(QColor::fromRgb(rgb), 0));
                    PaintText(painter, primitive, view, Primitives.Texts[primitive.TextIndex]);
                } else
                    line(rgb, Baseline(primitive, view));
                break;
            case TPrimitiveKind::Fill: {
                const QPointF corners[4] = {view.Point(primitive.P[0]), view.Point(primitive.P[1]),
                                            view.Point(primitive.P[2]), view.Point(primitive.P[3])};
                painter.setPen(Qt::NoPen);
                painter.setBrush(QColor::fromRgb(rgb));
                painter.drawPolygon(corners, 4);
                painter.setBrush(Qt::NoBrush);
                break;
            }
            case TPrimitiveKind::Point:
                break;
            }
        }
        for (auto& [rgb, lines] : batches)
            if (!lines.empty())
                flush(rgb, lines);
    }
    return true;
}

void TPreviewPane::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    emit Hidden();
}

void TPreviewPane::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
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
    if (!DragFrom)
        return;
    DragFrom.reset();
    unsetCursor();
    Redraw();
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
