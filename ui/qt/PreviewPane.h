// A view of the drawing's primitives: zoom to fit (the paper, or what the drawing shows),
// mouse-wheel zoom about the pointer, drag to pan, and a highlight that keeps the colours of what
// it selects, also on hidden layers, and greys the rest. The primitives are made once per
// drawing; a frame draws what reaches the view through the shared frame walk, and Qt draws the
// glyphs of texts while few are in view. While the wheel turns or a drag goes on, the last frame
// is moved and scaled with the pointer, and the view is drawn afresh once it comes to rest: on a
// thread of its own when frames of the drawing take long, so that the window keeps answering.
// Keys: Home fits, + and - zoom, Escape ends the highlight; a double-click fits too.
// A click picks the object nearest the pointer and names it in the status line below the
// drawing, hovering names it in a tooltip; the status line also chooses between the layers the
// drawing shows and every layer.
#pragma once

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <atomic>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>

#include "jww/jwwunit.h"
#include "render/Primitives.h"
#include "render/RenderFilter.h"
#include "ui/Unit1.h"
#include "ui/preview/PreviewScene.h"
#include "ui/preview/PreviewView.h"

class TPreviewPane : public QWidget {
    Q_OBJECT

public:
    explicit TPreviewPane(QWidget* parent = nullptr);
    ~TPreviewPane() override;

    // Makes the primitives of the drawing and fits them into the view; with changes, the
    // picture of the change under its legend.
    void ShowDrawing(const TJwwDocument& doc, const TChangeMarks* changes = nullptr);
    // Draws the drawing again in the SXF colours and line types of the window's cells once they
    // changed.
    void FollowCells(const TForm1& form);
    // The legend of a picture of a change, shown only with one.
    QLabel* Legend;
    // Nothing highlighted shows every object in its colour.
    void Highlight(const std::optional<TRenderFilter>& filter);
    void ZoomToFit();
    // Zooms by the factor, keeping the drawing point under the widget point in place.
    void ZoomAt(QPointF at, double factor);

    const TRenderScene& Scene() const { return Drawing.Primitives; }
    void WaitForFarViews() const { Drawing.WaitForFarViews(); }
    // Pixels per drawing unit, and the drawing point at the view's centre.
    double Scale() const { return View.Scale; }
    TVec2 Centre() const { return View.Centre; }
    // The drawing point under a widget point, and back.
    TVec2 DrawingPoint(QPointF at) const;
    QPointF WidgetPoint(TVec2 p) const;

    // The part of the widget above the status line, where the drawing is.
    QSize DrawingSize() const;
    QRect DrawingRect() const { return {QPoint(0, 0), DrawingSize()}; }

    // The object nearest the widget point that the frame shows, if one is near enough.
    std::optional<TRenderSource> PickAt(QPointF at) const;
    // Names the object as a click picks it, or clears the pick.
    void ShowPick(const std::optional<TRenderSource>& picked);
    // Names the picked object again, as the tables name it now.
    void RefreshPickText();
    // How a picked object is named, as code page 932; set by the window that owns the tables.
    std::function<std::string(const TRenderSource&)> PickText;
    // Raised by a click with what it picked, or nothing.
    std::function<void(const std::optional<TRenderSource>&)> Picked;
    void ShowAllLayers(bool all);

    QLabel* PickLabel;
    QComboBox* LayerChoice;

    // Draws the view as it stands into an image of the drawing area's size.
    void PaintFrame(QImage& frame) const;

    // A view to draw, of the image's size, and its highlight.
    struct TView {
        TPreviewView Shown;
        std::optional<TRenderFilter> Filter;
    };
    // Draws the view into the image unless *generation moves away from mine, which ends the
    // frame early; false then.
    bool PaintView(QImage& frame, const TView& view, const std::atomic<uint64_t>& generation,
                   uint64_t mine) const;

signals:
    // The pane was hidden, also by closing it as a window of its own.
    void Hidden();

protected:
    bool event(QEvent* event) override;
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
    // The view changed in a way that the last frame cannot show.
    void Redraw();
    // Starts drawing the view on a thread of its own, unless that already runs.
    void DrawInBackground();
    // Waits for a frame that is being drawn in the background.
    void WaitForBackground();

    // The view as it stands, of the drawing area's size.
    TPreviewView SizedView() const;

    TPreviewScene Drawing;
    std::optional<TRenderFilter> Filter;
    TPreviewView View;
    bool Fitted = false;
    std::optional<QPointF> DragFrom;
    std::optional<QPointF> PressedAt;
    std::optional<TRenderSource> LastPick;
    QWidget* StatusLine;
    // The last frame and the view it shows; it is stale while Settle runs or a drag goes on.
    QImage Frame;
    bool FrameValid = false;
    TPreviewView FrameView;
    QTimer Settle;
    // Frames slower than SlowFrameMilliseconds make the next ones draw in the background.
    bool SlowFrames = false;
    // Every change of the view takes a new number; a frame of an older one is dropped.
    std::shared_ptr<std::atomic<uint64_t>> Generation = std::make_shared<std::atomic<uint64_t>>(0);
    std::future<void> Background;
    uint64_t BackgroundGeneration = 0;
};
