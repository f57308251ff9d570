#include "cli/PngPicture.h"

#include <windows.h>

#include <objidl.h>

#include <gdiplus.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <stdexcept>
#include <vector>

#include "cli/CliText.h"
#include "cli/PictureOrder.h"
#include "text/Cp932.h"
#include "text/WidePath.h"

namespace {

namespace gp = Gdiplus;

// GDI+ refuses dashes of no length.
constexpr gp::REAL ShortestDash = 0.01f;
// The first of these the system has draws the texts; Windows has the first, Wine the last.
constexpr const wchar_t* TextFonts[] = {L"MS Gothic", L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF",
                                        L"Noto Sans CJK JP"};

class TGdiplusSession {
public:
    TGdiplusSession()
    {
        gp::GdiplusStartupInput input;
        if (gp::GdiplusStartup(&Token, &input, nullptr) != gp::Ok)
            throw std::runtime_error(CliText<"PictureNotDrawnWithoutGdiPlus">());
    }
    ~TGdiplusSession() { gp::GdiplusShutdown(Token); }
    TGdiplusSession(const TGdiplusSession&) = delete;
    TGdiplusSession& operator=(const TGdiplusSession&) = delete;

private:
    ULONG_PTR Token = 0;
};

std::unique_ptr<gp::FontFamily> TextFontFamily()
{
    for (const wchar_t* name : TextFonts) {
        auto family = std::make_unique<gp::FontFamily>(name);
        if (family->IsAvailable())
            return family;
    }
    return std::unique_ptr<gp::FontFamily>(gp::FontFamily::GenericSansSerif()->Clone());
}

class TGdiplusPainter {
public:
    TGdiplusPainter(gp::Graphics& graphics, const TPictureFrame& frame, const gp::FontFamily& font)
        : Graphics(graphics), Frame(frame), Font(font)
    {
    }

    void Paint(const TPrimitive& primitive, const TRenderScene& scene, const TStroke& stroke)
    {
        const gp::Color color(255, stroke.Color.R, stroke.Color.G, stroke.Color.B);
        const TVec2* p = primitive.P;
        switch (primitive.Kind) {
        case TPrimitiveKind::Line: {
            gp::Pen pen(color, static_cast<gp::REAL>(stroke.Width));
            Dash(pen, stroke);
            Graphics.DrawLine(&pen, Pixel(p[0]), Pixel(p[1]));
            break;
        }
        case TPrimitiveKind::Arc:
            Arc(primitive, color, stroke);
            break;
        case TPrimitiveKind::Point: {
            gp::SolidBrush brush(color);
            const gp::PointF at = Pixel(p[0]);
            const auto radius = static_cast<gp::REAL>(PointRadius(stroke.Width));
            Graphics.FillEllipse(&brush, at.X - radius, at.Y - radius, 2 * radius, 2 * radius);
            break;
        }
        case TPrimitiveKind::Text:
            Text(primitive, scene, color);
            break;
        case TPrimitiveKind::Fill: {
            gp::SolidBrush brush(color);
            const gp::PointF corners[4] = {Pixel(p[0]), Pixel(p[1]), Pixel(p[2]), Pixel(p[3])};
            Graphics.FillPolygon(&brush, corners, 4);
            break;
        }
        }
    }

private:
    // GDI+ measures dashes in widths of the pen.
    static void Dash(gp::Pen& pen, const TStroke& stroke)
    {
        if (stroke.Dashes.Solid())
            return;
        gp::REAL runs[MostDashRuns];
        for (int i = 0; i < stroke.Dashes.Count; ++i)
            runs[i] = std::max(ShortestDash, stroke.Dashes.Runs[static_cast<std::size_t>(i)] /
                                                 static_cast<gp::REAL>(stroke.Width));
        pen.SetDashPattern(runs, stroke.Dashes.Count);
    }

    gp::PointF Pixel(TVec2 p) const
    {
        const TVec2 at = Frame.Pixel(p);
        return gp::PointF(static_cast<gp::REAL>(at.X), static_cast<gp::REAL>(at.Y));
    }

    void Arc(const TPrimitive& arc, const gp::Color& color, const TStroke& stroke)
    {
        std::vector<gp::PointF> points;
        for (const TVec2 at : ArcPixels(arc, Frame))
            points.emplace_back(static_cast<gp::REAL>(at.X), static_cast<gp::REAL>(at.Y));
        gp::Pen pen(color, static_cast<gp::REAL>(stroke.Width));
        Dash(pen, stroke);
        Graphics.DrawLines(&pen, points.data(), static_cast<INT>(points.size()));
    }

    // The outlines of glyphs one unit high, placed so that their x axis runs along the baseline
    // and their y axis down across it, one character height long; stretched to the text's
    // length when it has one.
    void Text(const TPrimitive& text, const TRenderScene& scene, const gp::Color& color)
    {
        const TVec2* p = text.P;
        const double height = std::hypot(p[2].X, p[2].Y);
        const double along = std::hypot(p[3].X, p[3].Y);
        if (height == 0.0 || along == 0.0)
            return;
        const std::wstring wide = WidePath(Cp932ToUtf8Lossy(scene.Texts.at(text.TextIndex)));
        const INT style = gp::FontStyleRegular;
        const gp::REAL ascent = static_cast<gp::REAL>(Font.GetCellAscent(style)) /
                                static_cast<gp::REAL>(Font.GetEmHeight(style));
        gp::GraphicsPath glyphs;
        glyphs.AddString(wide.c_str(), static_cast<INT>(wide.size()), &Font, style, 1.0f,
                         gp::PointF(0.0f, -ascent), gp::StringFormat::GenericTypographic());
        gp::RectF extent;
        glyphs.GetBounds(&extent);
        const double length = std::hypot(p[1].X, p[1].Y) / height;
        const double stretch =
            length > 0.0 && extent.GetRight() > 0.0f ? length / extent.GetRight() : 1.0;
        const double k = Frame.PixelsPerUnit;
        const TVec2 start = Frame.Pixel(p[0]);
        const TVec2 x{p[3].X / along * height * k * stretch, p[3].Y / along * height * k * stretch};
        gp::Matrix onto(static_cast<gp::REAL>(x.X), static_cast<gp::REAL>(-x.Y),
                        static_cast<gp::REAL>(-p[2].X * k), static_cast<gp::REAL>(p[2].Y * k),
                        static_cast<gp::REAL>(start.X), static_cast<gp::REAL>(start.Y));
        glyphs.Transform(&onto);
        gp::SolidBrush brush(color);
        Graphics.FillPath(&brush, &glyphs);
    }

    gp::Graphics& Graphics;
    const TPictureFrame& Frame;
    const gp::FontFamily& Font;
};

CLSID PngEncoder()
{
    UINT count = 0, size = 0;
    gp::GetImageEncodersSize(&count, &size);
    std::vector<unsigned char> buffer(size);
    auto* encoders = reinterpret_cast<gp::ImageCodecInfo*>(buffer.data());
    if (size != 0 && gp::GetImageEncoders(count, size, encoders) == gp::Ok)
        for (UINT i = 0; i < count; ++i)
            if (std::wstring_view(encoders[i].MimeType) == L"image/png")
                return encoders[i].Clsid;
    throw std::runtime_error(CliText<"PictureNoPngEncoder">());
}

std::string EncodePng(gp::Bitmap& bitmap)
{
    const CLSID encoder = PngEncoder();
    IStream* stream = nullptr;
    if (CreateStreamOnHGlobal(nullptr, TRUE, &stream) != S_OK)
        throw std::runtime_error(CliText<"PictureNotEncoded">());
    std::string png;
    STATSTG stat{};
    HGLOBAL memory = nullptr;
    if (bitmap.Save(stream, &encoder, nullptr) == gp::Ok &&
        stream->Stat(&stat, STATFLAG_NONAME) == S_OK &&
        GetHGlobalFromStream(stream, &memory) == S_OK) {
        if (const void* bytes = GlobalLock(memory)) {
            png.assign(static_cast<const char*>(bytes), static_cast<std::size_t>(stat.cbSize.QuadPart));
            GlobalUnlock(memory);
        }
    }
    stream->Release();
    if (png.empty())
        throw std::runtime_error(CliText<"PictureNotEncoded">());
    return png;
}

}  // namespace

std::string PngPicture(const TJwwDocument& doc, const TPictureOptions& options, int longerSide)
{
    // Started once for the process: workers draw pictures side by side, and the end of one
    // picture's session must not end GDI+ under another.
    static const TGdiplusSession session;
    const TPictureOrder order(doc, options, longerSide);
    const TPictureFrame& frame = order.Frame();
    gp::Bitmap bitmap(frame.Width, frame.Height, PixelFormat24bppRGB);
    gp::Graphics graphics(&bitmap);
    if (bitmap.GetLastStatus() != gp::Ok || graphics.GetLastStatus() != gp::Ok)
        throw std::runtime_error(CliText<"PictureNotDrawn">());
    const TRgb background = order.Background();
    graphics.Clear(gp::Color(255, background.R, background.G, background.B));
    graphics.SetSmoothingMode(gp::SmoothingModeAntiAlias);
    const std::unique_ptr<gp::FontFamily> font = TextFontFamily();
    TGdiplusPainter painter(graphics, frame, *font);
    order.Paint([&painter](const TPrimitive& primitive, const TRenderScene& scene, const TStroke& stroke) {
        painter.Paint(primitive, scene, stroke);
    });
    return EncodePng(bitmap);
}
