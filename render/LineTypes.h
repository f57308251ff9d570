// Line types as dashes: the bit patterns of the drawing's own line types, and the SXF line types
// with their segment pitches.
#pragma once

#include <array>
#include <cstdint>

#include "jww/jwwunit.h"

// Enough for a 32-bit pattern whose bits alternate, or ten pitches taken twice.
constexpr int MostDashRuns = 32;

// The unit of a line type's runs: screen pixels for bit patterns, which stay the same at any
// zoom, and paper millimetres for the pitches of SXF line types.
enum class TDashUnit : uint8_t { Pixels, Millimetres };

// The lengths of a dash, a gap, a dash and so on, repeated along a line from its start; no runs
// is a solid line.
struct TDashes {
    std::array<float, MostDashRuns> Runs{};
    uint8_t Count = 0;
    TDashUnit Unit = TDashUnit::Pixels;

    bool Solid() const { return Count == 0; }
    float Period() const;
    friend bool operator==(const TDashes&, const TDashes&) = default;
};

// A line type of four integers: a 32-bit pattern whose lowest `bits` bits are read from the
// highest down, a set bit drawn and a clear one left out, each `pitch` pixels long. A pattern
// without a clear bit, or without a set one, is drawn solid, so that nothing disappears.
TDashes PatternDashes(int32_t pattern, int32_t bits, int32_t pitch);

// An SXF line type: with segments, its pitches as dash, gap, dash ... in millimetres; without,
// its pattern, DotsPerUnit bits long, with the screen pitch.
TDashes SxfDashes(const TLineTypeExNo& lineType);
