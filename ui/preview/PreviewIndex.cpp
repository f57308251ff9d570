#include "ui/preview/PreviewIndex.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "render/DrawingStyle.h"

namespace {

constexpr uint32_t Fanout = 16;
constexpr double MortonSteps = 65535.0;

// The bits of a 16-bit number spread to every second place.
uint32_t Spread(uint32_t v)
{
    v = (v | (v << 8)) & 0x00FF00FFu;
    v = (v | (v << 4)) & 0x0F0F0F0Fu;
    v = (v | (v << 2)) & 0x33333333u;
    v = (v | (v << 1)) & 0x55555555u;
    return v;
}

// Sorts the positions by their keys, two digits of 16 bits, keeping the order of equal keys.
void SortByKeys(std::vector<uint32_t>& keys, std::vector<uint32_t>& positions)
{
    std::vector<uint32_t> otherKeys(keys.size());
    std::vector<uint32_t> otherPositions(positions.size());
    std::vector<uint32_t> counts(1u << 16);
    for (const int shift : {0, 16}) {
        std::fill(counts.begin(), counts.end(), 0);
        for (const uint32_t key : keys)
            ++counts[(key >> shift) & 0xFFFFu];
        uint32_t sum = 0;
        for (uint32_t& count : counts)
            sum += std::exchange(count, sum);
        for (std::size_t i = 0; i < keys.size(); ++i) {
            const uint32_t at = counts[(keys[i] >> shift) & 0xFFFFu]++;
            otherKeys[at] = keys[i];
            otherPositions[at] = positions[i];
        }
        keys.swap(otherKeys);
        positions.swap(otherPositions);
    }
}

float Down(double v)
{
    return std::nextafter(static_cast<float>(v), -std::numeric_limits<float>::infinity());
}

float Up(double v)
{
    return std::nextafter(static_cast<float>(v), std::numeric_limits<float>::infinity());
}

}  // namespace

void TPreviewIndex::Build(std::vector<TPrimitive>& primitives, std::size_t first, std::size_t count)
{
    IndexEntries.clear();
    IndexNodes.clear();
    Details.clear();
    LeafCount = 0;
    if (count == 0)
        return;
    std::vector<TBounds> boxes(count);
    TBounds extent;
    for (std::size_t i = 0; i < count; ++i) {
        boxes[i] = BoundsOf(primitives[first + i]);
        extent.Add(boxes[i]);
    }
    IndexOrigin = {(extent.MinX + extent.MaxX) / 2, (extent.MinY + extent.MaxY) / 2};
    IndexReach = std::max(extent.Width(), extent.Height()) / 2;
    const double stepsX = extent.Width() > 0 ? MortonSteps / extent.Width() : 0.0;
    const double stepsY = extent.Height() > 0 ? MortonSteps / extent.Height() : 0.0;
    std::vector<uint32_t> keys(count);
    std::vector<uint32_t> order(count);
    for (std::size_t i = 0; i < count; ++i) {
        const TBounds& box = boxes[i];
        const auto x = static_cast<uint32_t>(((box.MinX + box.MaxX) / 2 - extent.MinX) * stepsX);
        const auto y = static_cast<uint32_t>(((box.MinY + box.MaxY) / 2 - extent.MinY) * stepsY);
        keys[i] = Spread(std::min(x, 0xFFFFu)) | (Spread(std::min(y, 0xFFFFu)) << 1);
        order[i] = static_cast<uint32_t>(i);
    }
    SortByKeys(keys, order);

    IndexEntries.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const TPrimitive& p = primitives[first + order[i]];
        const TBounds& box = boxes[order[i]];
        uint8_t shape = static_cast<uint8_t>(p.Kind);
        if (p.Kind == TPrimitiveKind::Line && (p.P[1].X - p.P[0].X) * (p.P[1].Y - p.P[0].Y) < 0)
            shape |= TIndexEntry::FallingLine;
        const auto detail = static_cast<uint32_t>(Details.size());
        if (p.Kind != TPrimitiveKind::Line && p.Kind != TPrimitiveKind::Point)
            Details.push_back(DetailOf(p));
        IndexEntries.push_back(
            {static_cast<float>(box.MinX - IndexOrigin.X), static_cast<float>(box.MinY - IndexOrigin.Y),
             static_cast<float>(box.MaxX - IndexOrigin.X), static_cast<float>(box.MaxY - IndexOrigin.Y),
             static_cast<uint32_t>(first + i), p.PenColor, p.Source.PenColor, p.PenStyle, p.Source.PenStyle,
             static_cast<uint8_t>(LayerEntry(p.Source.LayerGroup, p.Source.Layer)), shape, detail});
    }
    // The primitives take the entries' order, following each cycle of the permutation.
    std::vector<bool> placed(count, false);
    for (std::size_t start = 0; start < count; ++start) {
        if (placed[start])
            continue;
        const TPrimitive held = primitives[first + start];
        std::size_t at = start;
        for (;;) {
            placed[at] = true;
            const std::size_t from = order[at];
            if (from == start) {
                primitives[first + at] = held;
                break;
            }
            primitives[first + at] = primitives[first + from];
            at = from;
        }
    }

    // The leaves, then each level above them, until one node holds all.
    const auto addNode = [this](uint32_t first, uint32_t count, const auto& boxOf) {
        TIndexNode node{std::numeric_limits<float>::max(),
                        std::numeric_limits<float>::max(),
                        std::numeric_limits<float>::lowest(),
                        std::numeric_limits<float>::lowest(),
                        first,
                        count};
        for (uint32_t i = first; i < first + count; ++i) {
            const auto [minX, minY, maxX, maxY] = boxOf(i);
            node.MinX = std::min(node.MinX, minX);
            node.MinY = std::min(node.MinY, minY);
            node.MaxX = std::max(node.MaxX, maxX);
            node.MaxY = std::max(node.MaxY, maxY);
        }
        IndexNodes.push_back(node);
    };
    const auto entryBox = [this](uint32_t i) {
        const TIndexEntry& e = IndexEntries[i];
        return std::array<float, 4>{e.MinX, e.MinY, e.MaxX, e.MaxY};
    };
    const auto nodeBox = [this](uint32_t i) {
        const TIndexNode& n = IndexNodes[i];
        return std::array<float, 4>{n.MinX, n.MinY, n.MaxX, n.MaxY};
    };
    const auto entries = static_cast<uint32_t>(IndexEntries.size());
    for (uint32_t first = 0; first < entries; first += Fanout)
        addNode(first, std::min(Fanout, entries - first), entryBox);
    LeafCount = static_cast<uint32_t>(IndexNodes.size());
    uint32_t levelStart = 0;
    while (IndexNodes.size() - levelStart > 1) {
        const auto levelEnd = static_cast<uint32_t>(IndexNodes.size());
        for (uint32_t first = levelStart; first < levelEnd; first += Fanout)
            addNode(first, std::min(Fanout, levelEnd - first), nodeBox);
        levelStart = levelEnd;
    }
}

// Points of fills and of an arc's or a text's centre or start are relative to the origin; the
// others are vectors.
TIndexDetail TPreviewIndex::DetailOf(const TPrimitive& p) const
{
    const bool fill = p.Kind == TPrimitiveKind::Fill;
    TIndexDetail detail{};
    for (std::size_t i = 0; i < 4; ++i) {
        const bool point = fill || i == 0;
        detail.P[2 * i] = static_cast<float>(p.P[i].X - (point ? IndexOrigin.X : 0.0));
        detail.P[2 * i + 1] = static_cast<float>(p.P[i].Y - (point ? IndexOrigin.Y : 0.0));
    }
    detail.Start = static_cast<float>(p.Start);
    detail.Sweep = static_cast<float>(p.Sweep);
    return detail;
}

TPrimitive TPreviewIndex::ShapeOf(const TIndexEntry& entry) const
{
    TPrimitive shape;
    shape.Kind = entry.Kind();
    const TVec2 origin = IndexOrigin;
    switch (shape.Kind) {
    case TPrimitiveKind::Line: {
        const float top = entry.Falling() ? entry.MaxY : entry.MinY;
        const float bottom = entry.Falling() ? entry.MinY : entry.MaxY;
        shape.P[0] = {origin.X + entry.MinX, origin.Y + top};
        shape.P[1] = {origin.X + entry.MaxX, origin.Y + bottom};
        return shape;
    }
    case TPrimitiveKind::Point:
        shape.P[0] = {origin.X + entry.MinX, origin.Y + entry.MinY};
        return shape;
    default:
        break;
    }
    const TIndexDetail& detail = Details[entry.Detail];
    const bool fill = shape.Kind == TPrimitiveKind::Fill;
    for (std::size_t i = 0; i < 4; ++i) {
        const bool point = fill || i == 0;
        shape.P[i] = {detail.P[2 * i] + (point ? origin.X : 0.0),
                      detail.P[2 * i + 1] + (point ? origin.Y : 0.0)};
    }
    shape.Start = detail.Start;
    shape.Sweep = detail.Sweep;
    return shape;
}

std::array<float, 4> AreaInIndex(const TPreviewIndex& index, const TBounds& area)
{
    const TVec2 origin = index.Origin();
    return {Down(area.MinX - origin.X), Down(area.MinY - origin.Y), Up(area.MaxX - origin.X),
            Up(area.MaxY - origin.Y)};
}

void TPreviewIndex::Visit(const TBounds& area, const std::function<void(const TIndexEntry&)>& each) const
{
    if (!area.Empty())
        Walk(AreaInIndex(*this, area), [](uint32_t) { return true; }, each);
}
