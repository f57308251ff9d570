#include "ui/preview/PixelRaster.h"

#include <algorithm>
#include <cmath>

namespace {

// Lines pass a little beyond the frame, so that their cut ends never show.
constexpr double Overreach = 2.0;

// Where a phase falls in the dash pattern: which run, and how far into it.
struct TDashPosition {
    int Run = 0;
    double Into = 0.0;
};

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

bool ClipSegment(TVec2& from, TVec2& to, const TPixelRect& box)
{
    // Liang and Barsky: the part of the segment's parameter range inside all four edges.
    const double dx = to.X - from.X;
    const double dy = to.Y - from.Y;
    const double towards[4] = {-dx, dx, -dy, dy};
    const double room[4] = {from.X - box.Left, box.Right - from.X, from.Y - box.Top, box.Bottom - from.Y};
    double enter = 0.0;
    double leave = 1.0;
    for (int edge = 0; edge < 4; ++edge) {
        if (towards[edge] == 0.0) {
            if (room[edge] < 0.0)
                return false;
            continue;
        }
        const double t = room[edge] / towards[edge];
        if (towards[edge] < 0.0)
            enter = std::max(enter, t);
        else
            leave = std::min(leave, t);
    }
    if (!(enter <= leave))
        return false;
    const TVec2 start = from;
    from = {start.X + enter * dx, start.Y + enter * dy};
    to = {start.X + leave * dx, start.Y + leave * dy};
    return true;
}

void TPixelRaster::Clear(TRgb color)
{
    std::fill(Frame.Pixels, Frame.Pixels + static_cast<std::size_t>(Frame.Width) * Frame.Height, Value(color));
}

void TPixelRaster::Pixel(TVec2 at, TRgb color)
{
    const double x = std::floor(at.X);
    const double y = std::floor(at.Y);
    if (x >= 0 && y >= 0 && x < Frame.Width && y < Frame.Height)
        Frame.Pixels[static_cast<std::size_t>(y) * Frame.Width + static_cast<std::size_t>(x)] = Value(color);
}

void TPixelRaster::Dot(TVec2 at, int radius, TRgb color)
{
    if (!(std::abs(at.X) < 1e9 && std::abs(at.Y) < 1e9))
        return;
    const uint32_t value = Value(color);
    const int x = static_cast<int>(std::floor(at.X));
    const int y = static_cast<int>(std::floor(at.Y));
    for (int py = std::max(0, y - radius); py <= std::min(Frame.Height - 1, y + radius); ++py)
        std::fill(Frame.Pixels + static_cast<std::size_t>(py) * Frame.Width + std::max(0, x - radius),
                  Frame.Pixels + static_cast<std::size_t>(py) * Frame.Width + std::min(Frame.Width - 1, x + radius) + 1,
                  value);
}

void TPixelRaster::Across(int x, int y, bool acrossY, int width, uint32_t value)
{
    const int first = -(width - 1) / 2;
    for (int i = first; i < first + width; ++i) {
        const int px = acrossY ? x : x + i;
        const int py = acrossY ? y + i : y;
        if (px >= 0 && py >= 0 && px < Frame.Width && py < Frame.Height)
            Frame.Pixels[static_cast<std::size_t>(py) * Frame.Width + px] = value;
    }
}

// Steps along the longer axis one pixel at a time, both axes in fixed point; each step covers
// the same length of the line, which the dashes are measured in.
void TPixelRaster::Line(TVec2 from, TVec2 to, const TRasterPen& pen, double& phase)
{
    const double length = std::hypot(to.X - from.X, to.Y - from.Y);
    const TVec2 start = from;
    const double reach = Overreach + pen.Width;
    if (!std::isfinite(length) ||
        !ClipSegment(from, to, {-reach, -reach, Frame.Width + reach, Frame.Height + reach})) {
        phase += std::isfinite(length) ? length : 0.0;
        return;
    }
    const double dx = to.X - from.X;
    const double dy = to.Y - from.Y;
    const bool alongX = std::abs(dx) >= std::abs(dy);
    const auto steps = static_cast<int>(std::lround(std::max(std::abs(dx), std::abs(dy))));
    const uint32_t value = Value(pen.Color);
    // Pixel centres lie at half pixels; a coordinate is its pixel plus a share in 16 bits.
    constexpr double One = 65536.0;
    int64_t x = std::llround((from.X - 0.5) * One) + (1 << 15);
    int64_t y = std::llround((from.Y - 0.5) * One) + (1 << 15);
    const int64_t stepX = steps > 0 ? std::llround(dx / steps * One) : 0;
    const int64_t stepY = steps > 0 ? std::llround(dy / steps * One) : 0;
    const bool dashed = pen.Dashes && !pen.Dashes->Solid();
    TDashPosition dash;
    double stepLength = 0.0;
    if (dashed) {
        const double skipped = std::hypot(from.X - start.X, from.Y - start.Y);
        dash = PositionOf(*pen.Dashes, std::fmod(phase + skipped, pen.Dashes->Period()));
        stepLength = steps > 0 ? std::hypot(dx, dy) / steps : 0.0;
    }
    for (int i = 0; i <= steps; ++i, x += stepX, y += stepY) {
        if (dashed) {
            while (dash.Into >= pen.Dashes->Runs[static_cast<std::size_t>(dash.Run)]) {
                dash.Into -= pen.Dashes->Runs[static_cast<std::size_t>(dash.Run)];
                dash.Run = (dash.Run + 1) % pen.Dashes->Count;
            }
            dash.Into += stepLength;
            if (dash.Run % 2 != 0)
                continue;
        }
        const auto px = static_cast<int>(x >> 16);
        const auto py = static_cast<int>(y >> 16);
        if (pen.Width == 1) {
            if (px >= 0 && py >= 0 && px < Frame.Width && py < Frame.Height)
                Frame.Pixels[static_cast<std::size_t>(py) * Frame.Width + px] = value;
        } else {
            Across(px, py, alongX, pen.Width, value);
        }
    }
    phase += length;
}

void TPixelRaster::Fill(const TVec2 (&corners)[4], TRgb color)
{
    double top = corners[0].Y;
    double bottom = corners[0].Y;
    for (const TVec2& corner : corners) {
        top = std::min(top, corner.Y);
        bottom = std::max(bottom, corner.Y);
    }
    if (!(top < Frame.Height && bottom >= 0))
        return;
    const uint32_t value = Value(color);
    const auto firstRow = static_cast<int>(std::max(0.0, std::ceil(top - 0.5)));
    const auto lastRow = static_cast<int>(std::min(Frame.Height - 1.0, std::floor(bottom - 0.5)));
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
            const double left = std::max(0.0, std::ceil(crossings[i] - 0.5));
            const double right = std::min(Frame.Width - 1.0, std::floor(crossings[i + 1] - 0.5));
            if (left <= right)
                std::fill(Frame.Pixels + static_cast<std::size_t>(row) * Frame.Width + static_cast<std::size_t>(left),
                          Frame.Pixels + static_cast<std::size_t>(row) * Frame.Width + static_cast<std::size_t>(right) + 1,
                          value);
        }
    }
}
