// The pieces the drawing generator is assembled from: its random source, the header tables,
// the object records and the image files.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "jww/jwwunit.h"

// A small, fast random source whose sequence is the same with every compiler and library,
// unlike the distributions of <random>, so that a seed always names the same drawing.
class TGeneratorRandom {
public:
    explicit TGeneratorRandom(uint64_t seed) : State(seed) {}

    uint64_t Next()
    {
        uint64_t z = (State += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // 0 .. n - 1, for n of 1 or more.
    uint32_t Below(uint32_t n) { return static_cast<uint32_t>(((Next() >> 32) * n) >> 32); }

    // low .. high, both included.
    int32_t Between(int32_t low, int32_t high)
    {
        return static_cast<int32_t>(static_cast<int64_t>(low) +
                                    Below(static_cast<uint32_t>(int64_t{high} - low + 1)));
    }

    bool Percent(uint32_t percent) { return Below(100) < percent; }

    // A length in hundredths of a millimetre, as drawings mostly hold them.
    double Millimetres(int32_t low, int32_t high) { return Between(low * 100, high * 100) / 100.0; }

    template <class TItem, std::size_t N>
    const TItem& Pick(const TItem (&items)[N])
    {
        return items[Below(N)];
    }

private:
    uint64_t State;
};

// Where the objects of one list lie and how large they are: points within HalfWidth and
// HalfHeight of the origin, lines, radii and the sides of solids up to Reach, all in hundredths
// of a millimetre on the paper.
struct TGeneratorArea {
    double HalfWidth = 0.0;
    double HalfHeight = 0.0;
    double Reach = 0.0;

    double X(TGeneratorRandom& random) const { return Within(random, HalfWidth); }
    double Y(TGeneratorRandom& random) const { return Within(random, HalfHeight); }
    // A run along an axis, of either sign.
    double Run(TGeneratorRandom& random) const { return Within(random, Reach); }
    // A size above 0 up to the share of the reach.
    double Size(TGeneratorRandom& random, double share) const
    {
        return random.Between(1, static_cast<int32_t>(std::max(1.0, 100 * Reach * share))) / 100.0;
    }

private:
    static double Within(TGeneratorRandom& random, double half)
    {
        const auto hundredths = static_cast<int32_t>(half * 100);
        return random.Between(-hundredths, hundredths) / 100.0;
    }
};

// ---------------------------------------------------------------------------------------------
// Header
// ---------------------------------------------------------------------------------------------

// Fills the header fields and tables of a cleared document whose tables were just created.
void FillGeneratedHeader(TJwwDocument& doc, int32_t version, TGeneratorRandom& random);

// The paper the header names, centred on the origin, where the main list's objects lie.
TGeneratorArea PaperArea(const TJwwDocument& doc);

// ---------------------------------------------------------------------------------------------
// Object records, each valid for its kind
// ---------------------------------------------------------------------------------------------

TEntBase RandomBase(TGeneratorRandom& random, int32_t kind);
TEntSen RandomSen(TGeneratorRandom& random, const TGeneratorArea& area);
TEntEnko RandomEnko(TGeneratorRandom& random, const TGeneratorArea& area);
TEntTen RandomTen(TGeneratorRandom& random, const TGeneratorArea& area, bool withCode);
TEntMoji RandomMoji(TGeneratorRandom& random, const TGeneratorArea& area);
TEntMoji MojiWithText(TGeneratorRandom& random, const TGeneratorArea& area, std::string text);
TEntSunpo RandomSunpo(TGeneratorRandom& random, const TGeneratorArea& area, uint16_t sxfMode);
TEntSolid RandomSolid(TGeneratorRandom& random, const TGeneratorArea& area, bool ownColor);
TEntBlock RandomBlock(TGeneratorRandom& random, const TGeneratorArea& area, int32_t blockNumber);

// A block-definition name in code page 932.
std::string RandomBlockName(TGeneratorRandom& random, int32_t number);

// Texts that show what the writers and readers must cope with.
std::string JapaneseText(TGeneratorRandom& random);
std::string LongJapaneseText(std::size_t minimumBytes);
// Carriage return, line feed, a tab and "^m" pairs between words, which a save removes.
std::string DirtyText(TGeneratorRandom& random);
// A text made of control characters only, which a save turns into a single space.
std::string ControlOnlyText();

// The bytes an object takes in a file of version 420 or later, its two-byte class reference
// included.
uint64_t FileBytes(const TEntSen& record);
uint64_t FileBytes(const TEntEnko& record);
uint64_t FileBytes(const TEntTen& record);
uint64_t FileBytes(const TEntMoji& record);
uint64_t FileBytes(const TEntSunpo& record);
uint64_t FileBytes(const TEntSolid& record);
uint64_t FileBytes(const TEntBlock& record);

// ---------------------------------------------------------------------------------------------
// Images
// ---------------------------------------------------------------------------------------------

// Writes the drawing's bitmap files into TempImageFolder and lists them in TempImageList;
// returns their names in list order.
std::vector<std::string> WriteGeneratedImages(TGeneratorRandom& random);

// The text by which a text object shows an embedded image.
std::string ImageReferenceText(std::string_view imageName);
