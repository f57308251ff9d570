// A view of the drawing's primitives: zoom to fit, mouse-wheel zoom about the pointer, drag to
// pan, and a highlight that keeps the colours of what it selects and greys the rest. The
// primitives are made once per drawing; a frame paints only those that reach the view, lines
// and arcs in one batch per colour, and anything smaller than a pixel as a pixel. Keys: Home
// fits, + and - zoom, Escape ends the highlight; a double-click fits too.
#pragma once

#include <QWidget>

#include <array>
#include <optional>
#include <vector>

#include "jww/jwwunit.h"
#include "render/Primitives.h"
#include "render/RenderFilter.h"

class TPreviewPane : public QWidget {
    Q_OBJECT

public:
    explicit TPreviewPane(QWidget* parent = nullptr);

    // Makes the primitives of the drawing and fits them into the view.
    void ShowDrawing(const TJwwDocument& doc);
    // Nothing highlighted shows every object in its colour.
    void Highlight(const std::optional<TRenderFilter>& filter);
    void ZoomToFit();
    // Zooms by the factor, keeping the drawing point under the widget point in place.
    void ZoomAt(QPointF at, double factor);

    const TRenderScene& Scene() const { return Primitives; }
    // Pixels per drawing unit, and the drawing point at the view's centre.
    double Scale() const { return PixelsPerUnit; }
    TVec2 Centre() const { return ViewCentre; }
    // The drawing point under a widget point, and back.
    TVec2 DrawingPoint(QPointF at) const;
    QPointF WidgetPoint(TVec2 p) const;

signals:
    // The pane was hidden, also by closing it as a window of its own.
    void Hidden();

protected:
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    TRenderScene Primitives;
    // The box of each primitive, in the order of the primitives, for culling.
    std::vector<std::array<float, 4>> Boxes;
    TBounds Extent;
    std::optional<TRenderFilter> Filter;
    double PixelsPerUnit = 1.0;
    TVec2 ViewCentre;
    bool Fitted = false;
    std::optional<QPointF> DragFrom;
};
