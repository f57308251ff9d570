#include "tests/support/HeaderBuilder.h"

#include <random>

#include "tests/support/JwwBuilder.h"

TJwwDocument HeaderFields(int32_t version)
{
    TJwwDocument fields;
    CreateHeaderTables(fields);
    fields.Header.Magic = "JwwData.";
    fields.Header.Version = version;
    return fields;
}

void ShowEveryLayer(TJwwDocument& fields)
{
    constexpr int32_t Editable = 2;
    constexpr int32_t NoKnownPaper = 99;
    // Red in the lowest byte.
    constexpr int32_t PenColors[10] = {0xFFFFFF, 0x808000, 0x000000, 0x008000, 0x008080,
                                       0x800080, 0xC00000, 0x404040, 0x0000C0, 0x808080};
    for (TLayerGroup& group : fields.LayerGroupTable)
        group.Value1 = Editable;
    for (TLayer& layer : fields.LayerTable)
        layer.Value1 = Editable;
    for (std::size_t pen = 0; pen < fields.SettingsTableB.size(); ++pen) {
        fields.SettingsTableB[pen].I1 = PenColors[pen];
        fields.SettingsTableB[pen].I2 = 1;
    }
    fields.Header.Settings0[0] = NoKnownPaper;
}

namespace {

// Visits every header field that a file of the version holds, after the signature and the
// version, in file order. Works on a const document for building and a mutable one for filling.
template <class TDocument, class TVisit>
void WalkHeader(TDocument& fields, int32_t version, TVisit& visit)
{
    auto& h = fields.Header;
    const auto each = [&](auto& values) {
        for (auto& value : values)
            visit(value);
    };
    const auto entry3D1I = [&](auto& entry, bool withInteger) {
        visit(entry.D1);
        visit(entry.D2);
        visit(entry.D3);
        if (withInteger)
            visit(entry.I1);
    };

    visit(h.Memo);
    each(h.Settings0);
    for (int g = 0; g < 16; ++g) {
        auto& group = fields.LayerGroupTable.at(g);
        visit(group.Value1);
        visit(group.Value2);
        visit(group.Value3);
        visit(group.Value4);
        for (int l = 0; l < 16; ++l) {
            visit(fields.LayerTable.at(g * 16 + l).Value1);
            visit(fields.LayerTable.at(g * 16 + l).Value2);
        }
    }
    each(h.SettingsA);
    each(h.SettingsB);
    each(h.SettingsC.Lead);
    each(h.SettingsC.Ints);
    each(h.SettingsC.Tail);
    for (auto& layer : fields.LayerTable)
        visit(layer.Name);
    for (auto& group : fields.LayerGroupTable)
        visit(group.Name);

    each(h.SettingsD.Lead);
    visit(h.SettingsD.Int);
    visit(h.SettingsD.Tail[0]);
    if (version >= 300) {
        visit(h.SettingsD.Tail[1]);
        visit(h.SettingsD.Tail[2]);
    }
    visit(h.SettingsE.Int);
    each(h.SettingsE.Doubles);
    for (int e = 0; e < (version >= 231 ? 10 : 4); ++e)
        entry3D1I(h.SettingsTableA[e], version >= 231);
    each(h.SettingsF);
    for (auto& entry : fields.SettingsTableB) {
        visit(entry.I1);
        visit(entry.I2);
    }
    for (auto& entry : fields.SettingsTableB) {
        visit(entry.I3);
        visit(entry.I4);
        visit(entry.D5);
    }
    for (auto& entry : fields.SettingsTableC)
        each(entry);
    for (auto& entry : fields.SettingsTableD)
        each(entry);
    for (auto& entry : fields.SettingsTableE)
        each(entry);
    each(h.SettingsG.Ints);
    visit.Split(h.SettingsG);
    if (version >= 223) {
        each(h.SettingsG.Ints2);
        each(h.SettingsG.Doubles);
    }
    if (version >= 225)
        each(h.SettingsG.Doubles2);
    if (version >= 230)
        each(h.SettingsG.Ints3);

    if (version >= 420) {
        for (auto& colour : fields.ColorExTable) {
            visit(colour.ScreenColor);
            visit(colour.ScreenWidth);
        }
        for (auto& colour : fields.ColorExTable) {
            visit(colour.Name);
            visit(colour.PrintColor);
            visit(colour.PrintWidth);
            visit(colour.PointRadius);
        }
        for (auto& lineType : fields.LineTypeExTable) {
            visit(lineType.Pattern);
            visit(lineType.DotsPerUnit);
            visit(lineType.ScreenPitch);
            visit(lineType.PrintPitch);
        }
        for (auto& lineType : fields.LineTypeExTable) {
            visit(lineType.Name);
            visit(lineType.SegmentCount);
            each(lineType.Pitches);
        }
    }
    for (auto& entry : fields.SettingsTableF)
        entry3D1I(entry, true);
    each(h.SettingsH.Lead);
    each(h.SettingsH.Ints);
    each(h.SettingsH.Mid);
    visit(h.SettingsH.Int);
    each(h.SettingsH.Tail);
}

class TRandomFill {
public:
    explicit TRandomFill(uint32_t seed) : Engine(seed) {}

    void operator()(int32_t& value) { value = static_cast<int32_t>(Engine()); }
    void operator()(double& value)
    {
        value = DoubleFromBits((static_cast<uint64_t>(Engine()) << 32) | Engine());
    }
    void operator()(std::string& text)
    {
        text.resize(Engine() % 401);
        for (char& c : text)
            c = static_cast<char>(Engine());
    }
    void Split(TSettingsG& settings)
    {
        const auto split = static_cast<int32_t>(Engine());
        settings.TensPart = split / 10;
        settings.UnitsPart = split % 10;
    }

private:
    std::mt19937 Engine;
};

struct TFieldWriter {
    TJwwBuilder& B;

    void operator()(int32_t value) { B.Int(value); }
    void operator()(double value) { B.Double(value); }
    void operator()(const std::string& text) { B.String(text); }
    void Split(const TSettingsG& settings)
    {
        B.Int(static_cast<int32_t>(10 * int64_t{settings.TensPart} + settings.UnitsPart));
    }
};

}  // namespace

void FillHeaderWithRandomBits(TJwwDocument& fields, uint32_t seed)
{
    TRandomFill fill(seed);
    WalkHeader(fields, fields.Header.Version, fill);
}

std::string BuildHeader(const TJwwDocument& fields)
{
    TJwwBuilder b;
    b.Raw(fields.Header.Magic).Int(fields.Header.Version);
    TFieldWriter writer{b};
    WalkHeader(fields, fields.Header.Version, writer);
    return b.Bytes();
}
