#include "render/LineTypes.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int32_t PatternBits = 32;
// A pitch beyond this is a damaged value; such dashes would leave a line almost empty.
constexpr int32_t LongestPitch = 100;
// Pitches of no length are drawn this long, so that a dot stays a dot.
constexpr float ShortestMillimetres = 0.05f;
constexpr float LongestMillimetres = 1000.0f;

}  // namespace

float TDashes::Period() const
{
    float period = 0.0f;
    for (int i = 0; i < Count; ++i)
        period += Runs[static_cast<std::size_t>(i)];
    return period;
}

TDashes PatternDashes(int32_t pattern, int32_t bits, int32_t pitch)
{
    const int length = bits >= 1 && bits <= PatternBits ? bits : PatternBits;
    const auto value = static_cast<uint32_t>(pattern);
    const auto bit = [&](int i) { return ((value >> (length - 1 - i)) & 1u) != 0; };
    // The runs start at a set bit that follows a clear one, so that the first run is a dash.
    int start = -1;
    for (int i = 0; i < length && start < 0; ++i)
        if (bit(i) && !bit((i + length - 1) % length))
            start = i;
    TDashes dashes;
    if (start < 0)
        return dashes;
    const float step = static_cast<float>(std::clamp(pitch, 1, LongestPitch));
    bool drawn = true;
    float run = 0.0f;
    for (int i = 0; i < length; ++i) {
        if (bit((start + i) % length) != drawn) {
            dashes.Runs[dashes.Count++] = run;
            drawn = !drawn;
            run = 0.0f;
        }
        run += step;
    }
    dashes.Runs[dashes.Count++] = run;
    return dashes;
}

TDashes SxfDashes(const TLineTypeExNo& lineType)
{
    if (lineType.SegmentCount <= 0)
        return PatternDashes(lineType.Pattern, lineType.DotsPerUnit, lineType.ScreenPitch);
    const int count = std::min<int>(lineType.SegmentCount, static_cast<int>(lineType.Pitches.size()));
    TDashes dashes;
    dashes.Unit = TDashUnit::Millimetres;
    // An odd count repeats, so that its dashes become the gaps the second time.
    const int runs = count % 2 == 0 ? count : 2 * count;
    for (int i = 0; i < runs; ++i) {
        const double pitch = lineType.Pitches[static_cast<std::size_t>(i % count)];
        const bool dash = i % 2 == 0;
        float run = std::isfinite(pitch)
                        ? static_cast<float>(std::clamp(pitch, 0.0, double{LongestMillimetres}))
                        : 0.0f;
        if (dash)
            run = std::max(run, ShortestMillimetres);
        dashes.Runs[static_cast<std::size_t>(i)] = run;
    }
    dashes.Count = static_cast<uint8_t>(runs);
    // Without a gap of any length the line is solid.
    bool anyGap = false;
    for (int i = 1; i < runs; i += 2)
        anyGap = anyGap || dashes.Runs[static_cast<std::size_t>(i)] > 0.0f;
    return anyGap ? dashes : TDashes{};
}
