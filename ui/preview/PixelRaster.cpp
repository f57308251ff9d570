#include "ui/preview/PixelRaster.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

namespace {

// Lines pass a little beyond the frame, so that their cut ends never show.
constexpr double Overreach = 2.0;
// A curve whose centre lies further off cannot reach the frame with the lengths it is drawn for.
constexpr double MostCurveDistance = 1e8;

// Where a phase falls in the dash pattern: which run, and how far into it.
struct TDashPosition {
    int Run = 0;
    double Into = 0.0;
};

// Floor of a coordinate within a billion pixels of the frame, without a call into the library,
// which processors without rounding instructions need for std::floor.
constexpr double FloorBias = 1 << 30;

int FloorOf(double v)
{
    return static_cast<int>(static_cast<int64_t>(v + FloorBias) - static_cast<int64_t>(FloorBias));
}

double Distance(TVec2 a, TVec2 b)
{
    return std::sqrt((b.X - a.X) * (b.X - a.X) + (b.Y - a.Y) * (b.Y - a.Y));
}

TDashPosition PositionOf(const TDashes& dashes, double phase)
{
    TDashPosition position;
    position.Into = phase;
    while (position.Into >= dashes.Runs[static_cast<std::size_t>(position.Run)]) {
        position.Into -= dashes.Runs[static_cast<std::size_t>(position.Run)];
        position.Run = (position.Run + 1) % dashes.Count;
    }
    return position;
}

}  // namespace

TPixelRaster::TPixelRaster(const TPixelFrame& frame, const TPixelClip& clip)
    : Frame(frame), Clip{std::max(0, clip.Left), std::max(0, clip.Top), std::min(frame.Width, clip.Right),
                         std::min(frame.Height, clip.Bottom)}
{
}

void TPixelRaster::Clear(TRgb color)
{
    for (int y = Clip.Top; y < Clip.Bottom; ++y)
        std::fill(Frame.Pixels + static_cast<std::size_t>(y) * Frame.Width + Clip.Left,
                  Frame.Pixels + static_cast<std::size_t>(y) * Frame.Width + Clip.Right, Value(color));
}

void TPixelRaster::Pixel(TVec2 at, TRgb color)
{
    // The clip starts at 0 or beyond, where a cut rounds down.
    if (at.X >= Clip.Left && at.Y >= Clip.Top && at.X < Clip.Right && at.Y < Clip.Bottom)
        Frame.Pixels[static_cast<std::size_t>(at.Y) * Frame.Width + static_cast<std::size_t>(at.X)] =
            Value(color);
}

void TPixelRaster::Dot(TVec2 at, int radius, TRgb color)
{
    if (!(std::abs(at.X) < 1e9 && std::abs(at.Y) < 1e9))
        return;
    const uint32_t value = Value(color);
    const int x = FloorOf(at.X);
    const int y = FloorOf(at.Y);
    const int left = std::max(Clip.Left, x - radius);
    const int right = std::min(Clip.Right - 1, x + radius);
    for (int py = std::max(Clip.Top, y - radius);
         py <= std::min(Clip.Bottom - 1, y + radius) && left <= right; ++py)
        std::fill(Frame.Pixels + static_cast<std::size_t>(py) * Frame.Width + left,
                  Frame.Pixels + static_cast<std::size_t>(py) * Frame.Width + right + 1, value);
}

void TPixelRaster::Across(int x, int y, bool acrossY, int width, uint32_t value)
{
    const int first = -(width - 1) / 2;
    for (int i = first; i < first + width; ++i) {
        const int px = acrossY ? x : x + i;
        const int py = acrossY ? y + i : y;
        if (Inside(px, py))
            Frame.Pixels[static_cast<std::size_t>(py) * Frame.Width + px] = value;
    }
}

// The line is cut to the whole frame, never to the clip, so that it steps through the same
// pixels in every part it crosses.
void TPixelRaster::Line(TVec2 from, TVec2 to, const TRasterPen& pen, double& phase)
{
    const bool dashed = pen.Dashes && !pen.Dashes->Solid();
    const TVec2 start = from;
    const TVec2 end = to;
    const auto inFrame = [this](TVec2 p) {
        return p.X >= 0 && p.Y >= 0 && p.X <= Frame.Width && p.Y <= Frame.Height;
    };
    const double reach = Overreach + pen.Width;
    const bool drawn = (inFrame(from) && inFrame(to)) ||
                       ClipSegment(from, to, {-reach, -reach, Frame.Width + reach, Frame.Height + reach});
    if (drawn)
        Steps(from, to, pen, dashed ? std::fmod(phase + Distance(start, from), pen.Dashes->Period()) : 0.0);
    if (dashed)
        phase += Distance(start, end);
}

// Bresenham's walk from the pixel of one end to the pixel of the other, one pixel along the
// longer axis at each step, through the steps that reach the clip; each step covers the same
// length of the line, which the dashes are measured in.
void TPixelRaster::Steps(TVec2 from, TVec2 to, const TRasterPen& pen, double phase)
{
    const int x0 = FloorOf(from.X);
    const int y0 = FloorOf(from.Y);
    const int x1 = FloorOf(to.X);
    const int y1 = FloorOf(to.Y);
    const bool alongX = std::abs(x1 - x0) >= std::abs(y1 - y0);
    // Along: the axis stepped one pixel at a time; across: the other.
    const int along0 = alongX ? x0 : y0;
    const int across0 = alongX ? y0 : x0;
    const int alongLength = std::abs(alongX ? x1 - x0 : y1 - y0);
    const int acrossLength = std::abs(alongX ? y1 - y0 : x1 - x0);
    const int alongSign = (alongX ? x1 - x0 : y1 - y0) < 0 ? -1 : 1;
    const int acrossSign = (alongX ? y1 - y0 : x1 - x0) < 0 ? -1 : 1;
    const bool dashed = pen.Dashes && !pen.Dashes->Solid();
    if (!dashed && pen.Width == 1 && std::min(x0, x1) >= Clip.Left && std::max(x0, x1) < Clip.Right &&
        std::min(y0, y1) >= Clip.Top && std::max(y0, y1) < Clip.Bottom)
        return SolidLineInClip(x0, y0, alongX, alongLength, acrossLength, alongSign, acrossSign,
                               Value(pen.Color));
    // The steps whose pixels along lie in the clip, widened by the pen.
    const int low = (alongX ? Clip.Left : Clip.Top) - pen.Width;
    const int high = (alongX ? Clip.Right : Clip.Bottom) + pen.Width;
    const int first = std::clamp(alongSign > 0 ? low - along0 : along0 - high, 0, alongLength);
    const int last = std::clamp(alongSign > 0 ? high - along0 : along0 - low, 0, alongLength);
    if (first > last)
        return;
    // The pixel across at step k is across0 + (2 k across + along) / (2 along), in whole steps
    // and a remainder of twice the length along.
    const int64_t twiceAlong = 2 * static_cast<int64_t>(std::max(alongLength, 1));
    int across = across0;
    int64_t remainder = std::max(alongLength, 1);
    if (first > 0) {
        const int64_t start = 2 * static_cast<int64_t>(first) * acrossLength + remainder;
        across += acrossSign * static_cast<int>(start / twiceAlong);
        remainder = start % twiceAlong;
    }
    const int64_t rise = 2 * static_cast<int64_t>(acrossLength);
    const int alongStep = alongSign;
    int along = along0 + alongSign * first;
    const uint32_t value = Value(pen.Color);
    uint32_t* const pixels = Frame.Pixels;
    const auto width = static_cast<std::size_t>(Frame.Width);
    const auto advance = [&] {
        along += alongStep;
        remainder += rise;
        if (remainder >= twiceAlong) {
            remainder -= twiceAlong;
            across += acrossSign;
        }
    };
    if (!dashed && pen.Width == 1) {
        // Most lines: one pixel wide and solid, in a loop of their own, the clip held in
        // registers rather than read again after every pixel written.
        const int left = Clip.Left, top = Clip.Top, right = Clip.Right, bottom = Clip.Bottom;
        const auto run = [&](auto alongIsX) {
            for (int k = first; k <= last; ++k, advance()) {
                const int x = alongIsX ? along : across;
                const int y = alongIsX ? across : along;
                if (x >= left && y >= top && x < right && y < bottom)
                    pixels[static_cast<std::size_t>(y) * width + static_cast<std::size_t>(x)] = value;
            }
        };
        if (alongX)
            run(std::true_type{});
        else
            run(std::false_type{});
        return;
    }
    const double stepLength =
        alongLength > 0
            ? std::sqrt((to.X - from.X) * (to.X - from.X) + (to.Y - from.Y) * (to.Y - from.Y)) / alongLength
            : 0.0;
    TDashPosition dash;
    if (dashed)
        dash = PositionOf(*pen.Dashes, std::fmod(phase + first * stepLength, pen.Dashes->Period()));
    for (int k = first; k <= last; ++k, advance()) {
        if (dashed) {
            while (dash.Into >= pen.Dashes->Runs[static_cast<std::size_t>(dash.Run)]) {
                dash.Into -= pen.Dashes->Runs[static_cast<std::size_t>(dash.Run)];
                dash.Run = (dash.Run + 1) % pen.Dashes->Count;
            }
            dash.Into += stepLength;
            if (dash.Run % 2 != 0)
                continue;
        }
        Across(alongX ? along : across, alongX ? across : along, alongX, pen.Width, value);
    }
}

// The commonest line of all, solid, one pixel wide and wholly in the clip, by moving through the
// frame's memory, one step along and now and then one across.
void TPixelRaster::SolidLineInClip(int x0, int y0, bool alongX, int alongLength, int acrossLength,
                                   int alongSign, int acrossSign, uint32_t value)
{
    const auto width = static_cast<std::ptrdiff_t>(Frame.Width);
    uint32_t* at = Frame.Pixels + static_cast<std::ptrdiff_t>(y0) * width + x0;
    const std::ptrdiff_t along = alongX ? alongSign : alongSign * width;
    const std::ptrdiff_t across = alongX ? acrossSign * width : acrossSign;
    const int64_t twiceAlong = 2 * static_cast<int64_t>(std::max(alongLength, 1));
    const int64_t rise = 2 * static_cast<int64_t>(acrossLength);
    int64_t remainder = std::max(alongLength, 1);
    for (int k = 0; k <= alongLength; ++k) {
        *at = value;
        at += along;
        remainder += rise;
        if (remainder >= twiceAlong) {
            remainder -= twiceAlong;
            at += across;
        }
    }
}

void TPixelRaster::Curve(TVec2 centre, TVec2 axis1, TVec2 axis2, double start, double sweep, TRgb color)
{
    if (!(std::abs(centre.X) < MostCurveDistance && std::abs(centre.Y) < MostCurveDistance))
        return;
    // No point moves further in a step than the longer axis times the turn.
    const double reach = std::max(std::sqrt(axis1.X * axis1.X + axis1.Y * axis1.Y),
                                  std::sqrt(axis2.X * axis2.X + axis2.Y * axis2.Y));
    const auto points = static_cast<int>(std::ceil(std::abs(sweep) * reach)) + 1;
    const double stepCosine = std::cos(sweep / points);
    const double stepSine = std::sin(sweep / points);
    double cosine = std::cos(start);
    double sine = std::sin(start);
    const uint32_t value = Value(color);
    for (int i = 0; i <= points; ++i) {
        const int x = FloorOf(centre.X + axis1.X * cosine + axis2.X * sine);
        const int y = FloorOf(centre.Y + axis1.Y * cosine + axis2.Y * sine);
        if (Inside(x, y))
            Frame.Pixels[static_cast<std::size_t>(y) * Frame.Width + x] = value;
        const double turned = cosine * stepCosine - sine * stepSine;
        sine = sine * stepCosine + cosine * stepSine;
        cosine = turned;
    }
}

void TPixelRaster::Fill(const TVec2 (&corners)[4], TRgb color)
{
    double top = corners[0].Y;
    double bottom = corners[0].Y;
    for (const TVec2& corner : corners) {
        top = std::min(top, corner.Y);
        bottom = std::max(bottom, corner.Y);
    }
    if (!(top < Clip.Bottom && bottom >= Clip.Top))
        return;
    const uint32_t value = Value(color);
    const auto firstRow = static_cast<int>(std::max<double>(Clip.Top, std::ceil(top - 0.5)));
    const auto lastRow = static_cast<int>(std::min<double>(Clip.Bottom - 1, std::floor(bottom - 0.5)));
    for (int row = firstRow; row <= lastRow; ++row) {
        const double y = row + 0.5;
        double crossings[4];
        int count = 0;
        for (int i = 0; i < 4; ++i) {
            const TVec2& a = corners[i];
            const TVec2& b = corners[(i + 1) % 4];
            if ((a.Y <= y) != (b.Y <= y))
                crossings[count++] = a.X + (y - a.Y) / (b.Y - a.Y) * (b.X - a.X);
        }
        // Sorted in place: at most four.
        for (int i = 1; i < count; ++i)
            for (int j = i; j > 0 && crossings[j - 1] > crossings[j]; --j)
                std::swap(crossings[j - 1], crossings[j]);
        // Inside between the first and second crossing, and the third and fourth.
        for (int i = 0; i + 1 < count; i += 2) {
            const double left = std::max<double>(Clip.Left, std::ceil(crossings[i] - 0.5));
            const double right = std::min<double>(Clip.Right - 1, std::floor(crossings[i + 1] - 0.5));
            if (left <= right)
                std::fill(Frame.Pixels + static_cast<std::size_t>(row) * Frame.Width +
                              static_cast<std::size_t>(left),
                          Frame.Pixels + static_cast<std::size_t>(row) * Frame.Width +
                              static_cast<std::size_t>(right) + 1,
                          value);
        }
    }
}
