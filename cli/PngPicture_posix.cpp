#include "cli/PngPicture.h"

#include <cairo.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <stdexcept>

#include "cli/CliText.h"
#include "cli/PictureOrder.h"
#include "text/Cp932.h"

namespace {

constexpr const char* TextFont = "Noto Sans CJK JP";

struct TCairoDeleter {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
    void operator()(cairo_t* context) const { cairo_destroy(context); }
};

class TPngPainter {
public:
    TPngPainter(cairo_t* context, const TPictureFrame& frame, const TRenderScene& scene)
        : Context(context), Frame(frame), Scene(scene)
    {
    }

    void Paint(const TPrimitive& primitive, const TStroke& stroke)
    {
        // Showing a text leaves a current point, from which an arc's path would start with a
        // line.
        cairo_new_path(Context);
        cairo_set_source_rgb(Context, stroke.Color.R / 255.0, stroke.Color.G / 255.0,
                             stroke.Color.B / 255.0);
        cairo_set_line_width(Context, stroke.Width);
        if (stroke.Dashes.Solid()) {
            cairo_set_dash(Context, nullptr, 0, 0);
        } else {
            double runs[MostDashRuns];
            for (int i = 0; i < stroke.Dashes.Count; ++i)
                runs[i] = stroke.Dashes.Runs[static_cast<std::size_t>(i)];
            cairo_set_dash(Context, runs, stroke.Dashes.Count, 0);
        }
        const TVec2* p = primitive.P;
        switch (primitive.Kind) {
        case TPrimitiveKind::Line:
            MoveTo(p[0]);
            LineTo(p[1]);
            cairo_stroke(Context);
            break;
        case TPrimitiveKind::Arc:
            Arc(primitive);
            break;
        case TPrimitiveKind::Point: {
            const TVec2 at = Frame.Pixel(p[0]);
            cairo_arc(Context, at.X, at.Y, PointRadius(stroke.Width), 0, 2 * std::numbers::pi);
            cairo_fill(Context);
            break;
        }
        case TPrimitiveKind::Text:
            Text(primitive);
            break;
        case TPrimitiveKind::Fill:
            MoveTo(p[0]);
            for (int i = 1; i < 4; ++i)
                LineTo(p[i]);
            cairo_close_path(Context);
            cairo_fill(Context);
            break;
        }
    }

private:
    void MoveTo(TVec2 p)
    {
        const TVec2 at = Frame.Pixel(p);
        cairo_move_to(Context, at.X, at.Y);
    }

    void LineTo(TVec2 p)
    {
        const TVec2 at = Frame.Pixel(p);
        cairo_line_to(Context, at.X, at.Y);
    }

    void Arc(const TPrimitive& arc)
    {
        const std::vector<TVec2> points = ArcPixels(arc, Frame);
        cairo_move_to(Context, points.front().X, points.front().Y);
        for (const TVec2 at : points)
            cairo_line_to(Context, at.X, at.Y);
        cairo_stroke(Context);
    }

    // Glyphs of size 1 in a space whose x axis runs along the baseline and whose y axis runs
    // down across it, one character height long; stretched to the text's length when it has
    // one.
    void Text(const TPrimitive& text)
    {
        const TVec2* p = text.P;
        const double height = std::hypot(p[2].X, p[2].Y);
        const double along = std::hypot(p[3].X, p[3].Y);
        if (height == 0.0 || along == 0.0)
            return;
        const std::string utf8 = Cp932ToUtf8Lossy(Scene.Texts.at(text.TextIndex));
        const double k = Frame.PixelsPerUnit;
        const TVec2 start = Frame.Pixel(p[0]);
        const TVec2 x{p[3].X / along * height * k, p[3].Y / along * height * k};
        cairo_matrix_t glyphs;
        cairo_matrix_init(&glyphs, x.X, -x.Y, -p[2].X * k, p[2].Y * k, start.X, start.Y);
        cairo_save(Context);
        cairo_transform(Context, &glyphs);
        cairo_set_font_size(Context, 1.0);
        cairo_text_extents_t extents;
        cairo_text_extents(Context, utf8.c_str(), &extents);
        const double length = std::hypot(p[1].X, p[1].Y) / height;
        if (length > 0.0 && extents.x_advance > 0.0)
            cairo_scale(Context, length / extents.x_advance, 1.0);
        cairo_move_to(Context, 0, 0);
        cairo_show_text(Context, utf8.c_str());
        cairo_restore(Context);
    }

    cairo_t* Context;
    const TPictureFrame& Frame;
    const TRenderScene& Scene;
};

}  // namespace

std::string PngPicture(const TJwwDocument& doc, const TPictureOptions& options, int longerSide)
{
    const TPictureOrder order(doc, options, longerSide);
    const TPictureFrame& frame = order.Frame();
    const std::unique_ptr<cairo_surface_t, TCairoDeleter> surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, frame.Width, frame.Height));
    const std::unique_ptr<cairo_t, TCairoDeleter> context(cairo_create(surface.get()));
    if (cairo_status(context.get()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error(CliText<"PictureNotDrawn">());
    const TRgb background = order.Background();
    cairo_set_source_rgb(context.get(), background.R / 255.0, background.G / 255.0, background.B / 255.0);
    cairo_paint(context.get());
    cairo_select_font_face(context.get(), TextFont, CAIRO_FONT_SLANT_NORMAL,
                           CAIRO_FONT_WEIGHT_NORMAL);

    order.Paint([&](const TPrimitive& primitive, const TRenderScene& scene, const TStroke& stroke) {
        TPngPainter(context.get(), frame, scene).Paint(primitive, stroke);
    });
    std::string png;
    const auto append = [](void* closure, const unsigned char* data, unsigned int length) {
        static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
        return CAIRO_STATUS_SUCCESS;
    };
    if (cairo_surface_write_to_png_stream(surface.get(), append, &png) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error(CliText<"PictureNotEncoded">());
    return png;
}
