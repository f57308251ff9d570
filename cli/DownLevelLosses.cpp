#include "cli/DownLevelLosses.h"

#include <algorithm>
#include <initializer_list>

#include "cli/CliText.h"

namespace {

// Objects by what an older version does to them. A dimension counts once however many of its
// parts are affected.
struct TObjectTally {
    int SxfLineTypes = 0;
    int SxfColors = 0;
    int PenWidths = 0;
    int DimensionsWithSxf = 0;
    int DimensionsWithoutSxf = 0;
};

// The base records an object is written with: the line type is mapped only on lines and arcs.
struct TWrittenBase {
    const TEntBase* Base;
    bool CarriesLineType;
};

void TallyObject(std::initializer_list<TWrittenBase> bases, bool carriesColor, TObjectTally& tally)
{
    const auto any = [&bases](auto test) {
        return std::any_of(bases.begin(), bases.end(), test);
    };
    tally.SxfLineTypes += any([](const TWrittenBase& b) {
        return b.CarriesLineType && IsSxfPenStyle(b.Base->PenStyle);
    });
    tally.SxfColors += carriesColor && any([](const TWrittenBase& b) {
        return IsSxfPenColor(b.Base->PenColor);
    });
    tally.PenWidths += any([](const TWrittenBase& b) { return b.Base->PenWidth != 0; });
}

void TallyDimension(const TEntSunpo& dim, TObjectTally& tally)
{
    // Without an SXF mode the extension records are not written at all; with one they become
    // lines and points of their own.
    if (dim.SxfMode == 0) {
        ++tally.DimensionsWithoutSxf;
        TallyObject({{&dim.Base, false}, {&dim.DimLine.Base, true}, {&dim.DimText.Base, false}},
                    true, tally);
        return;
    }
    ++tally.DimensionsWithSxf;
    TallyObject({{&dim.Base, false},
                 {&dim.DimLine.Base, true},
                 {&dim.DimText.Base, false},
                 {&dim.ExtLine1.Base, true},
                 {&dim.ExtLine2.Base, true},
                 {&dim.Point1.Base, false},
                 {&dim.Point2.Base, false},
                 {&dim.ExtPoint1.Base, false},
                 {&dim.ExtPoint2.Base, false}},
                true, tally);
}

void TallyList(const TEntityCollections& list, TObjectTally& tally)
{
    for (const TEntSen& sen : list.SenList)
        TallyObject({{&sen.Base, true}}, true, tally);
    for (const TEntEnko& enko : list.EnkoList)
        TallyObject({{&enko.Base, true}}, true, tally);
    for (const TEntTen& ten : list.TenList)
        TallyObject({{&ten.Base, false}}, true, tally);
    for (const TEntMoji& moji : list.MojiList)
        TallyObject({{&moji.Base, false}}, true, tally);
    for (const TEntSunpo& dim : list.SunpoList)
        TallyDimension(dim, tally);
    for (const TEntSolid& solid : list.SolidList)
        TallyObject({{&solid.Base, false}}, true, tally);
    // Block insertions keep their colours in every version.
    for (const TEntBlock& block : list.BlockList)
        TallyObject({{&block.Base, false}}, false, tally);
}

bool SxfTablesHoldData(const TJwwDocument& doc)
{
    const bool colors = std::any_of(doc.ColorExTable.begin(), doc.ColorExTable.end(),
                                    [](const TColorExNo& c) {
                                        return c.ScreenColor != 0 || c.ScreenWidth != 0 ||
                                               !c.Name.empty() || c.PrintColor != 0 ||
                                               c.PrintWidth != 0 || c.PointRadius != 0.0;
                                    });
    const bool lineTypes = std::any_of(
        doc.LineTypeExTable.begin(), doc.LineTypeExTable.end(), [](const TLineTypeExNo& t) {
            return t.Pattern != 0 || t.DotsPerUnit != 0 || t.ScreenPitch != 0 ||
                   t.PrintPitch != 0 || !t.Name.empty() || t.SegmentCount != 0 ||
                   std::any_of(t.Pitches.begin(), t.Pitches.end(),
                               [](double p) { return p != 0.0; });
        });
    return colors || lineTypes;
}

int ImagesInUse(const TJwwDocument& doc)
{
    MarkImagesInUse(doc);
    return static_cast<int>(std::count_if(TempImageList.begin(), TempImageList.end(),
                                          [](const TBindImageType& image) {
                                              return image.InUse != 0;
                                          }));
}

}  // namespace

std::vector<std::string> DownLevelLosses(const TJwwDocument& doc, int32_t targetVersion)
{
    std::vector<std::string> losses;
    const int32_t version = doc.Header.Version;
    if (targetVersion < ImageSectionVersion && version >= ImageSectionVersion) {
        if (const int images = ImagesInUse(doc); images > 0)
            losses.push_back(CliText<"LossImages">(images));
    }
    if (targetVersion >= SxfVersion || version < SxfVersion)
        return losses;

    TObjectTally tally;
    TallyList(doc, tally);
    for (const TEntBlockDef& blockDef : doc.BlockDefList) {
        TallyList(blockDef, tally);
        tally.PenWidths += blockDef.Base.PenWidth != 0;
    }
    if (SxfTablesHoldData(doc))
        losses.push_back(CliText<"LossSxfTables">());
    if (tally.DimensionsWithoutSxf > 0)
        losses.push_back(CliText<"LossDimensionParts">(tally.DimensionsWithoutSxf));
    if (tally.DimensionsWithSxf > 0)
        losses.push_back(CliText<"LossDimensionsSplit">(tally.DimensionsWithSxf));
    if (tally.SxfLineTypes > 0)
        losses.push_back(CliText<"LossSxfLineTypes">(tally.SxfLineTypes));
    if (tally.SxfColors > 0)
        losses.push_back(CliText<"LossSxfColors">(tally.SxfColors));
    if (targetVersion < PenWidthVersion && tally.PenWidths > 0)
        losses.push_back(CliText<"LossLineWidths">(tally.PenWidths));
    return losses;
}
