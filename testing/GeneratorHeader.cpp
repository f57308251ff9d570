// The header of a generated drawing: names in code page 932 and settings that the header writer
// keeps as they are, so that a saved and reloaded drawing holds the same header again.
#include <iterator>

#include "testing/GeneratorParts.h"

namespace {

const char* const GroupNames[16] = {
    "1\x8AK\x95\xBD\x96\xCA\x90}",                    // 1階平面図
    "2\x8AK\x95\xBD\x96\xCA\x90}",                    // 2階平面図
    "\x97\xA7\x96\xCA\x90}",                          // 立面図
    "\x92\x66\x96\xCA\x90}",                          // 断面図
    "\x94z\x92u\x90}",                                // 配置図
    "\x8F\xDA\x8D\xD7\x90}",                          // 詳細図
    "\x90\xDD\x94\xF5\x90}",                          // 設備図
    "\x93\x64\x8B\x43\x90\xDD\x94\xF5",               // 電気設備
    "\x8B\x8B\x94r\x90\x85\x89q\x90\xB6",             // 給排水衛生
    "\x8AO\x8D\\\x90}",                               // 外構図
    "\x89\xAE\x8D\xAA\x95\x9A\x90}",                  // 屋根伏図
    "\x8A\xEE\x91\x62\x95\x9A\x90}",                  // 基礎伏図
    "\x93W\x8AJ\x90}",                                // 展開図
    "\x8C\x9A\x8B\xEF\x95\\",                         // 建具表
    "\x8E\x64\x8F\xE3\x95\\",                         // 仕上表
    "\x95\\\x8E\x86",                                 // 表紙
};

const char* const LayerNames[16] = {
    "\x95\xC7",                  // 壁
    "\x92\x8C",                  // 柱
    "\x8C\x9A\x8B\xEF",          // 建具
    "\x90\xA1\x96@",             // 寸法
    "\x95\xB6\x8E\x9A",          // 文字
    "\x95\xE2\x8F\x95\x90\xFC",  // 補助線
    "\x92\xCA\x82\xE8\x90\x63",  // 通り芯
    "\x89\xC6\x8B\xEF",          // 家具
    "\x90\xDD\x94\xF5",          // 設備
    "\x83n\x83\x62\x83`",        // ハッチ
    "\x90}\x98g",                // 図枠
    "\x96}\x97\xE1",             // 凡例
    "\x8AK\x92i",                // 階段
    "\x91\x8B",                  // 窓
    "\x94\xE0",                  // 扉
    "\x8AJ\x8C\xFB",             // 開口
};

const char* const UserColorName = "\x83\x86\x81[\x83U\x81[\x92\xE8\x8B`\x90\x46";  // ユーザー定義色
const char* const UserLineTypeName = "\x83\x86\x81[\x83U\x81[\x90\xFC\x8E\xED";   // ユーザー線種
const char* const MemoTitle = "\x90}\x96\xCA\x83\x81\x83\x82";                     // 図面メモ

struct TStandardColor {
    const char* Name;
    int32_t Rgb;  // red in the lowest byte
};

const TStandardColor StandardColors[16] = {
    {"black", 0x000000},     {"red", 0x0000FF},        {"green", 0x00FF00},
    {"blue", 0xFF0000},      {"yellow", 0x00FFFF},     {"magenta", 0xFF00FF},
    {"cyan", 0xFFFF00},      {"white", 0xFFFFFF},      {"deeppink", 0x8000C0},
    {"brown", 0x4080C0},     {"orange", 0x0080FF},     {"lightgreen", 0x80C080},
    {"lightblue", 0xFF8000}, {"lavender", 0xFF4080},   {"lightgray", 0xC0C0C0},
    {"darkgray", 0x808080},
};

const char* const StandardLineTypes[15] = {
    "continuous",
    "dashed",
    "dashed spaced",
    "long dashed dotted",
    "long dashed double-dotted",
    "long dashed triplicate-dotted",
    "dotted",
    "chain",
    "chain double dash",
    "dashed dotted",
    "double-dashed dotted",
    "dashed double-dotted",
    "double-dashed double-dotted",
    "dashed triplicate-dotted",
    "double-dashed triplicate-dotted",
};

const double DrawingScales[] = {1.0, 20.0, 30.0, 50.0, 100.0, 200.0, 500.0};

// The paper codes 0 .. 4 name A0 .. A4, landscape; half their sides in millimetres, and lines
// up to 15 millimetres long, as the details of a plan on paper are.
constexpr double PaperReach = 15.0;
const TGeneratorArea PaperAreas[] = {{594.5, 420.5, PaperReach},
                                     {420.5, 297, PaperReach},
                                     {297, 210, PaperReach},
                                     {210, 148.5, PaperReach},
                                     {148.5, 105, PaperReach}};

// Layer states: hidden, display only, editable, and the one written to.
constexpr int32_t Hidden = 0;
constexpr int32_t Editable = 2;
constexpr int32_t Written = 3;
// The cover sheet's group, and the last layer of group 0, are hidden, as in many drawings that
// keep work they do not show.
constexpr std::size_t HiddenGroup = 15;
constexpr std::size_t HiddenLayer = 15;

struct TPenSettings {
    int32_t Color;  // red in the lowest byte
    int32_t Width;
};

// The screen pens 0 .. 9: pen 0 is the white background; the others read on it.
const TPenSettings ScreenPens[10] = {
    {0xFFFFFF, 1}, {0xA08C00, 1}, {0x000000, 1}, {0x009600, 2}, {0x008CAA, 1},
    {0xC800C8, 2}, {0xDC0000, 1}, {0x3C3C3C, 3}, {0x0000DC, 1}, {0x828282, 1},
};

// The line types 2 .. 9 of drawings: pattern, its length in bits, screen and print pitch.
const TSettingsEntryC LineTypes[8] = {
    {static_cast<int32_t>(0x99999999), 4, 1, 10},  {static_cast<int32_t>(0xC3C3C3C3), 8, 1, 10},
    {static_cast<int32_t>(0xE7E7E7E7), 8, 1, 10},  {static_cast<int32_t>(0xF99FF99F), 16, 1, 10},
    {static_cast<int32_t>(0xFFF99FFF), 32, 1, 10}, {static_cast<int32_t>(0xF24FF24F), 16, 1, 10},
    {static_cast<int32_t>(0xFFF24FFF), 32, 1, 10}, {0x22222222, 4, 1, 10},
};

template <std::size_t N>
void FillInts(std::array<int32_t, N>& ints, TGeneratorRandom& random, int32_t low, int32_t high)
{
    for (int32_t& value : ints)
        value = random.Between(low, high);
}

template <std::size_t N>
void FillDoubles(std::array<double, N>& doubles, TGeneratorRandom& random, int32_t low,
                 int32_t high)
{
    for (double& value : doubles)
        value = random.Millimetres(low, high);
}

void FillSettings(THeader& header, int32_t version, TGeneratorRandom& random)
{
    // The paper, and the group written to, which is never the hidden one.
    header.Settings0 = {random.Between(0, 4), random.Between(0, static_cast<int32_t>(HiddenGroup) - 1)};
    // The writer stores zeros for the whole of SettingsA and for item 6 of SettingsB, and clamps
    // item 7 below -101 for version 420 and older; values it would change are never generated.
    header.SettingsA.fill(0);
    FillInts(header.SettingsB, random, 0, 255);
    header.SettingsB[5] = 0;
    header.SettingsB[6] = random.Between(-101, 100);

    header.SettingsC.Lead = {random.Millimetres(-100, 100), random.Millimetres(-100, 100),
                             random.Pick(DrawingScales)};
    header.SettingsC.Ints = {random.Between(0, 4), random.Between(0, 15)};
    FillDoubles(header.SettingsC.Tail, random, 0, 10);

    FillDoubles(header.SettingsD.Lead, random, 0, 1000);
    header.SettingsD.Int = random.Between(0, 100);
    FillDoubles(header.SettingsD.Tail, random, 0, 1000);

    header.SettingsE.Int = random.Between(0, 2);
    FillDoubles(header.SettingsE.Doubles, random, -10, 10);

    for (TSettingsEntry3D1I& entry : header.SettingsTableA)
        entry = {random.Millimetres(0, 10), random.Millimetres(0, 10), random.Millimetres(0, 10),
                 random.Between(-1, 9)};

    FillDoubles(header.SettingsF, random, 0, 500);

    TSettingsG& g = header.SettingsG;
    FillInts(g.Ints, random, 0, 1000);
    // The split integer is rebuilt by the writer: from version 600 on as units plus ten times
    // tens with at least one ten, before 600 as the units alone.
    g.UnitsPart = random.Between(0, 9);
    g.TensPart = version >= 600 ? random.Between(1, 9) : 0;
    FillInts(g.Ints2, random, 0, 100);
    FillDoubles(g.Doubles, random, 0, 100);
    FillDoubles(g.Doubles2, random, 0, 100);
    FillInts(g.Ints3, random, 0, 10);

    TSettingsH& h = header.SettingsH;
    FillDoubles(h.Lead, random, 0, 50);
    FillInts(h.Ints, random, 0, 20);
    FillDoubles(h.Mid, random, 0, 50);
    h.Int = random.Between(0, 20);
    FillDoubles(h.Tail, random, -50, 50);
}

// Every group shown but one, the write group in state 3 and in each group the layer its Value2
// names in state 3, the others editable.
void FillLayers(TJwwDocument& doc, TGeneratorRandom& random)
{
    const auto writeGroup = static_cast<std::size_t>(doc.Header.Settings0[1]);
    for (std::size_t g = 0; g < doc.LayerGroupTable.size(); ++g) {
        TLayerGroup& group = doc.LayerGroupTable[g];
        group.Value1 = g == HiddenGroup ? Hidden : g == writeGroup ? Written : Editable;
        group.Value2 = random.Between(0, static_cast<int32_t>(HiddenLayer) - 1);
        group.Value3 = random.Pick(DrawingScales);
        group.Value4 = random.Between(0, 1);
        if (!random.Percent(15))
            group.Name = GroupNames[g];
    }
    for (std::size_t i = 0; i < doc.LayerTable.size(); ++i) {
        TLayer& layer = doc.LayerTable[i];
        const std::size_t g = i / 16;
        const std::size_t l = i % 16;
        layer.Value1 = g == 0 && l == HiddenLayer                                             ? Hidden
                       : l == static_cast<std::size_t>(doc.LayerGroupTable[g].Value2) ? Written
                                                                                             : Editable;
        layer.Value2 = random.Between(0, 1);
        if (!random.Percent(25))
            layer.Name = LayerNames[l];
    }
}

// The pens with their print colours, widths and point radii, the line types, their random forms
// and their double-length forms, which are line types 3 .. 6 with twice the pitch.
void FillSettingsTables(TJwwDocument& doc, TGeneratorRandom& random)
{
    for (std::size_t pen = 0; pen < doc.SettingsTableB.size(); ++pen)
        doc.SettingsTableB[pen] = {ScreenPens[pen].Color, ScreenPens[pen].Width, ScreenPens[pen].Color,
                                   random.Between(13, 70), random.Between(1, 8) * 0.1};
    for (std::size_t i = 0; i < doc.SettingsTableC.size(); ++i)
        doc.SettingsTableC[i] = LineTypes[i];
    for (TSettingsEntryD& entry : doc.SettingsTableD)
        FillInts(entry, random, 0, 255);
    for (std::size_t i = 0; i < doc.SettingsTableE.size(); ++i) {
        const TSettingsEntryC& base = LineTypes[i + 1];
        doc.SettingsTableE[i] = {base[0], base[1], 2 * base[2], 2 * base[3]};
    }
    for (TSettingsEntry3D1I& entry : doc.SettingsTableF)
        entry = {random.Millimetres(0, 100), random.Millimetres(0, 100),
                 random.Millimetres(0, 100), random.Between(0, 9)};
}

void FillSxfColors(TJwwDocument& doc, TGeneratorRandom& random)
{
    for (std::size_t i = 1; i < doc.ColorExTable.size(); ++i) {
        TColorExNo& color = doc.ColorExTable[i];
        if (i <= std::size(StandardColors)) {
            color.Name = StandardColors[i - 1].Name;
            color.ScreenColor = StandardColors[i - 1].Rgb;
        } else {
            if (!random.Percent(30))
                color.Name = UserColorName + std::to_string(i);
            color.ScreenColor = random.Between(0, 0xFFFFFF);
        }
        color.ScreenWidth = random.Percent(70) ? 1 : random.Between(2, 4);
        color.PrintColor = random.Percent(70) ? color.ScreenColor : random.Between(0, 0xFFFFFF);
        color.PrintWidth = random.Between(1, 100);
        color.PointRadius = random.Between(0, 40) * 0.05;
    }
}

void FillSxfLineTypes(TJwwDocument& doc, TGeneratorRandom& random)
{
    for (std::size_t i = 1; i < doc.LineTypeExTable.size(); ++i) {
        TLineTypeExNo& lineType = doc.LineTypeExTable[i];
        if (i <= std::size(StandardLineTypes))
            lineType.Name = StandardLineTypes[i - 1];
        else if (!random.Percent(30))
            lineType.Name = UserLineTypeName + std::to_string(i);
        lineType.Pattern = static_cast<int32_t>(random.Next());
        lineType.DotsPerUnit = random.Between(1, 4);
        lineType.ScreenPitch = random.Between(1, 10);
        lineType.PrintPitch = random.Between(1, 10);
        lineType.SegmentCount = 2 * random.Between(0, 4);
        for (int32_t s = 0; s < lineType.SegmentCount; ++s)
            lineType.Pitches[static_cast<std::size_t>(s)] = random.Millimetres(1, 20);
    }
}

}  // namespace

TGeneratorArea PaperArea(const TJwwDocument& doc)
{
    return PaperAreas[static_cast<std::size_t>(doc.Header.Settings0[0]) % std::size(PaperAreas)];
}

void FillGeneratedHeader(TJwwDocument& doc, int32_t version, TGeneratorRandom& random)
{
    doc.Header.Magic = "JwwData.";
    doc.Header.Version = version;
    // The memo is written as held, line breaks included.
    doc.Header.Memo = std::string(MemoTitle) + "\r\nNo." + std::to_string(random.Between(1, 9999));
    FillSettings(doc.Header, version, random);
    FillLayers(doc, random);
    FillSettingsTables(doc, random);
    if (version >= SxfVersion) {
        FillSxfColors(doc, random);
        FillSxfLineTypes(doc, random);
    }
}
