#include "testing/DrawingGenerator.h"

#include <stdexcept>

#include "testing/GeneratorParts.h"

namespace {

// What the header and the image section add to a file, roughly; the size asked for is only
// approximate.
constexpr uint64_t HeaderAndImageBytes = 24000;

// Drawings of this size and more hold back solids and block insertions until the running
// index has passed 0x7FFF, so that their classes are referred to in the long tag form.
constexpr uint64_t LargeDrawingBytes = 8'000'000;
constexpr std::size_t LateClassObjects = 0x9000;

// A text longer than the word-sized string prefix can announce.
constexpr std::size_t HugeTextBytes = 70000;

// Random objects even a small drawing holds, so that seeds differ in more than details.
constexpr std::size_t SmallDrawingObjects = 24;

// Block definitions that show every feature; larger drawings add one per this many bytes.
constexpr int32_t ShowcaseBlockDefs = 3;
constexpr uint64_t BytesPerFillerBlockDef = 400'000;
constexpr uint64_t FillerBlockDefBytes = 1800;

// The legend of line types lies in the paper's lower left, its lines this share of the half
// sides apart.
constexpr double LegendStart = 0.9;
constexpr double LegendEnd = 0.5;
constexpr double LegendStep = 0.03;

// The nested drawing's insertions stand this far apart, and its one line is this long.
constexpr double NestedStep = 2.0;
constexpr double NestedLine = 10.0;

// Block definitions are symbols: this share of the paper in each direction.
constexpr double SymbolShare = 0.02;

struct TGeneration {
    TGeneratorRandom Random;
    uint64_t Bytes = HeaderAndImageBytes;
    std::vector<std::string> ImageNames;  // empty when the drawing has no images
    TGeneratorArea Paper;
    TGeneratorArea Symbol;
};

template <class TRecord>
void AddRecord(TGeneration& gen, TEntityCollections& list, int32_t kind,
               std::vector<TRecord>& records, TRecord record)
{
    gen.Bytes += FileBytes(record);
    list.EntityOrder.push_back({kind, static_cast<int32_t>(records.size())});
    records.push_back(std::move(record));
}

void AddObject(TGeneration& gen, TEntityCollections& list, TEntSen record)
{
    AddRecord(gen, list, KindSen, list.SenList, std::move(record));
}

void AddObject(TGeneration& gen, TEntityCollections& list, TEntEnko record)
{
    AddRecord(gen, list, KindEnko, list.EnkoList, std::move(record));
}

void AddObject(TGeneration& gen, TEntityCollections& list, TEntTen record)
{
    AddRecord(gen, list, KindTen, list.TenList, std::move(record));
}

void AddObject(TGeneration& gen, TEntityCollections& list, TEntMoji record)
{
    AddRecord(gen, list, KindMoji, list.MojiList, std::move(record));
}

void AddObject(TGeneration& gen, TEntityCollections& list, TEntSunpo record)
{
    AddRecord(gen, list, KindSunpo, list.SunpoList, std::move(record));
}

void AddObject(TGeneration& gen, TEntityCollections& list, TEntSolid record)
{
    AddRecord(gen, list, KindSolid, list.SolidList, std::move(record));
}

void AddObject(TGeneration& gen, TEntityCollections& list, TEntBlock record)
{
    AddRecord(gen, list, KindBlock, list.BlockList, std::move(record));
}

// The mix of a building plan, in per mille: lines, texts, arcs, points, dimensions, and a few
// solids and block insertions at the end of the scale.
constexpr uint32_t SenShare = 600;
constexpr uint32_t MojiShare = 150;
constexpr uint32_t EnkoShare = 120;
constexpr uint32_t TenShare = 70;
constexpr uint32_t SunpoShare = 35;
constexpr uint32_t SolidShare = 15;
constexpr uint32_t BlockShare = 10;
constexpr uint32_t EarlyShares = SenShare + MojiShare + EnkoShare + TenShare + SunpoShare;

// Adds one object of a random kind; block insertions name definitions 1 .. blockNumbers and
// are left out, like solids, when lateKinds is false or there is no definition to name.
void AddRandomObject(TGeneration& gen, TEntityCollections& list, const TGeneratorArea& area,
                     bool lateKinds, int32_t blockNumbers)
{
    TGeneratorRandom& random = gen.Random;
    const uint32_t shares = !lateKinds           ? EarlyShares
                            : blockNumbers < 1   ? EarlyShares + SolidShare
                                                 : EarlyShares + SolidShare + BlockShare;
    uint32_t roll = random.Below(shares);
    if (roll < SenShare)
        return AddObject(gen, list, RandomSen(random, area));
    roll -= SenShare;
    if (roll < MojiShare)
        return AddObject(gen, list, RandomMoji(random, area));
    roll -= MojiShare;
    if (roll < EnkoShare)
        return AddObject(gen, list, RandomEnko(random, area));
    roll -= EnkoShare;
    if (roll < TenShare)
        return AddObject(gen, list, RandomTen(random, area, random.Percent(10)));
    roll -= TenShare;
    if (roll < SunpoShare)
        return AddObject(gen, list, RandomSunpo(random, area, static_cast<uint16_t>(random.Below(2))));
    roll -= SunpoShare;
    if (roll < SolidShare)
        return AddObject(gen, list, RandomSolid(random, area, random.Percent(25)));
    AddObject(gen, list, RandomBlock(random, area, random.Between(1, blockNumbers)));
}

void AddImageReference(TGeneration& gen, TEntityCollections& list, const TGeneratorArea& area,
                       std::size_t image)
{
    if (image < gen.ImageNames.size())
        AddObject(gen, list, MojiWithText(gen.Random, area, ImageReferenceText(gen.ImageNames[image])));
}

// Lines, arcs, points, texts and dimensions with the values that matter to the writers.
void AddEarlyShowcase(TGeneration& gen, TEntityCollections& list, bool large)
{
    TGeneratorRandom& random = gen.Random;
    const TGeneratorArea& area = gen.Paper;
    AddObject(gen, list, RandomSen(random, area));
    TEntSen limits = RandomSen(random, area);
    limits.Base.PenStyle = 35;
    limits.Base.PenColor = 101;
    limits.Base.PenWidth = 30000;
    limits.Base.Layer = 15;
    limits.Base.LayerGroup = 15;
    AddObject(gen, list, limits);
    TEntSen lastSxf = RandomSen(random, area);
    lastSxf.Base.PenStyle = 62;
    lastSxf.Base.PenColor = 356;
    AddObject(gen, list, lastSxf);

    // A legend of every line type with each pen, so that a picture shows their dashes and
    // widths side by side.
    const uint8_t legendTypes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 16, 17, 18, 19, 31, 32, 33, 34};
    for (std::size_t i = 0; i < std::size(legendTypes); ++i) {
        TEntSen line = RandomSen(random, area);
        line.Base.PenStyle = legendTypes[i];
        line.Base.PenColor = static_cast<uint16_t>(1 + i % 9);
        line.Base.LayerGroup = line.Base.Layer = 0;
        line.StartX = -area.HalfWidth * LegendStart;
        line.EndX = -area.HalfWidth * LegendEnd;
        line.StartY = line.EndY = -area.HalfHeight * (LegendStart - LegendStep * static_cast<double>(i));
        AddObject(gen, list, line);
    }

    TEntEnko circle = RandomEnko(random, area);
    circle.StartAngle = 0.0;
    circle.ArcAngle = 2 * 3.14159265358979323846;
    circle.FullCircle = 1;
    AddObject(gen, list, circle);
    AddObject(gen, list, RandomEnko(random, area));

    AddObject(gen, list, RandomTen(random, area, false));
    AddObject(gen, list, RandomTen(random, area, true));
    TEntTen temporary = RandomTen(random, area, false);
    temporary.Temporary = 1;
    AddObject(gen, list, temporary);

    AddObject(gen, list, RandomMoji(random, area));
    AddObject(gen, list, MojiWithText(random, area, DirtyText(random)));
    AddObject(gen, list, MojiWithText(random, area, ControlOnlyText()));
    AddObject(gen, list, MojiWithText(random, area, LongJapaneseText(300)));
    if (large)
        AddObject(gen, list, MojiWithText(random, area, LongJapaneseText(HugeTextBytes)));
    TEntMoji noFont = RandomMoji(random, area);
    noFont.FontName.clear();
    AddObject(gen, list, noFont);
    // The first image is shown twice, the second once; the third only inside a definition.
    AddImageReference(gen, list, area, 0);
    AddImageReference(gen, list, area, 1);
    AddImageReference(gen, list, area, 0);

    AddObject(gen, list, RandomSunpo(random, area, 0));
    TEntSunpo coded = RandomSunpo(random, area, 1);
    coded.Point1 = RandomTen(random, area, true);
    AddObject(gen, list, coded);
}

// Solids with and without their own colour, and insertions of the showcase definitions.
void AddLateShowcase(TGeneration& gen, TEntityCollections& list)
{
    TGeneratorRandom& random = gen.Random;
    const TGeneratorArea& area = gen.Paper;
    AddObject(gen, list, RandomSolid(random, area, false));
    AddObject(gen, list, RandomSolid(random, area, true));
    for (int32_t number = 1; number <= ShowcaseBlockDefs; ++number)
        AddObject(gen, list, RandomBlock(random, area, number));
}

TEntBlockDef NewBlockDef(TGeneration& gen, int32_t number)
{
    TGeneratorRandom& random = gen.Random;
    TEntBlockDef def;
    def.Base = RandomBase(random, KindList);
    def.Number = number;
    def.Referenced = random.Between(0, 20);
    // The short form of the time stamp, which is the form the writer uses.
    def.Time = random.Between(0x40000000, 0x7FFFFFFF);
    def.Name = RandomBlockName(random, number);
    gen.Bytes += 2 + 15 + 3 * 4 + 1 + def.Name.size() + 2;
    return def;
}

void AddShowcaseBlockDefs(TGeneration& gen, std::vector<TEntBlockDef>& defs)
{
    TGeneratorRandom& random = gen.Random;
    const TGeneratorArea& area = gen.Symbol;
    TEntBlockDef& door = defs.emplace_back(NewBlockDef(gen, 1));
    for (int i = 0; i < 3; ++i)
        AddObject(gen, door, RandomSen(random, area));
    AddObject(gen, door, RandomEnko(random, area));
    AddObject(gen, door, RandomTen(random, area, true));
    if (gen.ImageNames.size() > 2)
        AddImageReference(gen, door, area, 2);
    else
        AddObject(gen, door, RandomMoji(random, area));
    AddObject(gen, door, RandomSolid(random, area, true));
    AddObject(gen, door, RandomSunpo(random, area, 1));

    TEntBlockDef& everyKind = defs.emplace_back(NewBlockDef(gen, 2));
    AddObject(gen, everyKind, RandomSen(random, area));
    AddObject(gen, everyKind, RandomEnko(random, area));
    AddObject(gen, everyKind, RandomTen(random, area, false));
    AddObject(gen, everyKind, RandomMoji(random, area));
    AddObject(gen, everyKind, RandomSunpo(random, area, 0));
    AddObject(gen, everyKind, RandomSolid(random, area, false));
    AddObject(gen, everyKind, RandomBlock(random, area, 1));

    defs.emplace_back(NewBlockDef(gen, 3));  // a definition without objects
}

void AddFillerBlockDef(TGeneration& gen, std::vector<TEntBlockDef>& defs)
{
    const auto number = static_cast<int32_t>(defs.size()) + 1;
    TEntBlockDef& def = defs.emplace_back(NewBlockDef(gen, number));
    const int32_t objects = gen.Random.Between(8, 40);
    for (int32_t i = 0; i < objects; ++i)
        AddRandomObject(gen, def, gen.Symbol, true, number - 1);
}

void SetCounts(TJwwDocument& doc)
{
    doc.Header.EntityCount = static_cast<int32_t>(doc.EntityOrder.size());
    doc.Header.BlockDefCount = static_cast<int32_t>(doc.BlockDefList.size());
    for (TEntBlockDef& def : doc.BlockDefList)
        def.EntityCount = static_cast<int32_t>(def.EntityOrder.size());
}

}  // namespace

void GenerateDrawing(TJwwDocument& doc, const TGeneratorOptions& options)
{
    if (options.Version < 420)
        throw std::invalid_argument("drawings older than version 420 cannot be generated");
    const bool images = options.Images && options.Version >= ImageSectionVersion;
    if (images && TempImageFolder.empty())
        throw std::invalid_argument("images need a temp image folder");

    ClearJww(doc);
    CreateHeaderTables(doc);
    ClearTempImageList();
    TGeneration gen{TGeneratorRandom(options.Seed), HeaderAndImageBytes, {}, {}, {}};
    FillGeneratedHeader(doc, options.Version, gen.Random);
    const bool large = options.TargetBytes >= LargeDrawingBytes;
    // So many objects are drawn on a large sheet, A0 or A1.
    if (large)
        doc.Header.Settings0[0] = gen.Random.Between(0, 1);
    gen.Paper = PaperArea(doc);
    gen.Symbol = {gen.Paper.HalfWidth * SymbolShare, gen.Paper.HalfHeight * SymbolShare,
                  gen.Paper.HalfWidth * SymbolShare};
    if (images)
        gen.ImageNames = WriteGeneratedImages(gen.Random);

    const auto fillerBlockDefs = static_cast<int32_t>(options.TargetBytes / BytesPerFillerBlockDef);
    const int32_t blockDefCount = ShowcaseBlockDefs + fillerBlockDefs;
    const uint64_t blockDefReserve = static_cast<uint64_t>(fillerBlockDefs) * FillerBlockDefBytes;

    AddEarlyShowcase(gen, doc, large);
    if (large) {
        while (doc.EntityOrder.size() < LateClassObjects)
            AddRandomObject(gen, doc, gen.Paper, false, 0);
    }
    AddLateShowcase(gen, doc);
    for (std::size_t i = 0; i < SmallDrawingObjects; ++i)
        AddRandomObject(gen, doc, gen.Paper, true, blockDefCount);
    while (gen.Bytes + blockDefReserve < options.TargetBytes)
        AddRandomObject(gen, doc, gen.Paper, true, blockDefCount);

    AddShowcaseBlockDefs(gen, doc.BlockDefList);
    while (static_cast<int32_t>(doc.BlockDefList.size()) < blockDefCount)
        AddFillerBlockDef(gen, doc.BlockDefList);
    SetCounts(doc);
}

void GenerateNestedDrawing(TJwwDocument& doc, int32_t version, int32_t fanOut, int32_t depth)
{
    if (version < 420 || fanOut < 1 || depth < 1)
        throw std::invalid_argument("a nested drawing needs version 420 or later, a fan-out and a depth");
    ClearJww(doc);
    CreateHeaderTables(doc);
    ClearTempImageList();
    TGeneratorRandom random(1);
    FillGeneratedHeader(doc, version, random);
    const auto insertion = [&random](int32_t number, double x) {
        TEntBlock block = RandomBlock(random, {}, number);
        block.X = x;
        block.Y = 0.0;
        block.ScaleX = block.ScaleY = 1.0;
        block.Rotation = 0.0;
        return block;
    };
    TGeneration gen{TGeneratorRandom(1), 0, {}, {}, {}};
    for (int32_t level = 0; level < depth; ++level) {
        TEntBlockDef& def = doc.BlockDefList.emplace_back(NewBlockDef(gen, level + 1));
        if (level + 1 == depth) {
            TEntSen line = RandomSen(random, {});
            line.StartX = line.StartY = line.EndY = 0.0;
            line.EndX = NestedLine;
            AddObject(gen, def, line);
            continue;
        }
        for (int32_t i = 0; i < fanOut; ++i)
            AddObject(gen, def, insertion(level + 2, i * NestedStep));
    }
    AddObject(gen, doc, insertion(1, 0.0));
    SetCounts(doc);
}
