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

namespace {

class TRandomBits {
public:
    explicit TRandomBits(uint32_t seed) : Engine(seed) {}

    void Fill(int32_t& value) { value = static_cast<int32_t>(Engine()); }

    void Fill(double& value)
    {
        const uint64_t bits = (static_cast<uint64_t>(Engine()) << 32) | Engine();
        value = DoubleFromBits(bits);
    }

    void Fill(std::string& text)
    {
        text.resize(Engine() % 401);
        for (char& c : text)
            c = static_cast<char>(Engine());
    }

    template <class TValues>
    void FillAll(TValues& values)
    {
        for (auto& value : values)
            Fill(value);
    }

private:
    std::mt19937 Engine;
};

}  // namespace

void FillHeaderWithRandomBits(TJwwDocument& fields, uint32_t seed)
{
    TRandomBits random(seed);
    THeader& h = fields.Header;
    random.Fill(h.Memo);
    random.FillAll(h.Settings0);
    for (TLayerGroup& group : fields.LayerGroupTable) {
        random.Fill(group.Value1);
        random.Fill(group.Value2);
        random.Fill(group.Value3);
        random.Fill(group.Value4);
        random.Fill(group.Name);
    }
    for (TLayer& layer : fields.LayerTable) {
        random.Fill(layer.Value1);
        random.Fill(layer.Value2);
        random.Fill(layer.Name);
    }
    random.FillAll(h.SettingsA);
    random.FillAll(h.SettingsB);
    random.FillAll(h.SettingsC.Lead);
    random.FillAll(h.SettingsC.Ints);
    random.FillAll(h.SettingsC.Tail);
    random.FillAll(h.SettingsD.Lead);
    random.Fill(h.SettingsD.Int);
    random.FillAll(h.SettingsD.Tail);
    random.Fill(h.SettingsE.Int);
    random.FillAll(h.SettingsE.Doubles);
    for (TSettingsEntry3D1I& entry : h.SettingsTableA) {
        random.Fill(entry.D1);
        random.Fill(entry.D2);
        random.Fill(entry.D3);
        random.Fill(entry.I1);
    }
    random.FillAll(h.SettingsF);
    for (TSettingsEntryB& entry : fields.SettingsTableB) {
        random.Fill(entry.I1);
        random.Fill(entry.I2);
        random.Fill(entry.I3);
        random.Fill(entry.I4);
        random.Fill(entry.D5);
    }
    for (auto& entry : fields.SettingsTableC)
        random.FillAll(entry);
    for (auto& entry : fields.SettingsTableD)
        random.FillAll(entry);
    for (auto& entry : fields.SettingsTableE)
        random.FillAll(entry);
    random.FillAll(h.SettingsG.Ints);
    int32_t split = 0;
    random.Fill(split);
    h.SettingsG.TensPart = split / 10;
    h.SettingsG.UnitsPart = split % 10;
    random.FillAll(h.SettingsG.Ints2);
    random.FillAll(h.SettingsG.Doubles);
    random.FillAll(h.SettingsG.Doubles2);
    random.FillAll(h.SettingsG.Ints3);
    for (TColorExNo& colour : fields.ColorExTable) {
        random.Fill(colour.ScreenColor);
        random.Fill(colour.ScreenWidth);
        random.Fill(colour.Name);
        random.Fill(colour.PrintColor);
        random.Fill(colour.PrintWidth);
        random.Fill(colour.PointRadius);
    }
    for (TLineTypeExNo& lineType : fields.LineTypeExTable) {
        random.Fill(lineType.Pattern);
        random.Fill(lineType.DotsPerUnit);
        random.Fill(lineType.ScreenPitch);
        random.Fill(lineType.PrintPitch);
        random.Fill(lineType.Name);
        random.Fill(lineType.SegmentCount);
        random.FillAll(lineType.Pitches);
    }
    for (TSettingsEntry3D1I& entry : fields.SettingsTableF) {
        random.Fill(entry.D1);
        random.Fill(entry.D2);
        random.Fill(entry.D3);
        random.Fill(entry.I1);
    }
    random.FillAll(h.SettingsH.Lead);
    random.FillAll(h.SettingsH.Ints);
    random.FillAll(h.SettingsH.Mid);
    random.Fill(h.SettingsH.Int);
    random.FillAll(h.SettingsH.Tail);
}

namespace {

void Ints(TJwwBuilder& b, const auto& values)
{
    for (int32_t value : values)
        b.Int(value);
}

void Doubles(TJwwBuilder& b, const auto& values)
{
    for (double value : values)
        b.Double(value);
}

void Entry3D1I(TJwwBuilder& b, const TSettingsEntry3D1I& entry, bool withInteger)
{
    b.Double(entry.D1).Double(entry.D2).Double(entry.D3);
    if (withInteger)
        b.Int(entry.I1);
}

}  // namespace

std::string BuildHeader(const TJwwDocument& fields)
{
    const THeader& h = fields.Header;
    const int32_t version = h.Version;
    TJwwBuilder b;

    b.Raw(h.Magic).Int(version).String(h.Memo);
    Ints(b, h.Settings0);
    for (int g = 0; g < 16; ++g) {
        const TLayerGroup& group = fields.LayerGroupTable.at(g);
        b.Int(group.Value1).Int(group.Value2).Double(group.Value3).Int(group.Value4);
        for (int l = 0; l < 16; ++l) {
            const TLayer& layer = fields.LayerTable.at(g * 16 + l);
            b.Int(layer.Value1).Int(layer.Value2);
        }
    }
    Ints(b, h.SettingsA);
    Ints(b, h.SettingsB);
    Doubles(b, h.SettingsC.Lead);
    Ints(b, h.SettingsC.Ints);
    Doubles(b, h.SettingsC.Tail);
    for (const TLayer& layer : fields.LayerTable)
        b.String(layer.Name);
    for (const TLayerGroup& group : fields.LayerGroupTable)
        b.String(group.Name);

    b.Double(h.SettingsD.Lead[0]).Double(h.SettingsD.Lead[1]).Int(h.SettingsD.Int);
    b.Double(h.SettingsD.Tail[0]);
    if (version >= 300)
        b.Double(h.SettingsD.Tail[1]).Double(h.SettingsD.Tail[2]);
    b.Int(h.SettingsE.Int);
    Doubles(b, h.SettingsE.Doubles);
    const int tableAEntries = version >= 231 ? 10 : 4;
    for (int e = 0; e < tableAEntries; ++e)
        Entry3D1I(b, h.SettingsTableA[e], version >= 231);
    Doubles(b, h.SettingsF);
    for (const TSettingsEntryB& entry : fields.SettingsTableB)
        b.Int(entry.I1).Int(entry.I2);
    for (const TSettingsEntryB& entry : fields.SettingsTableB)
        b.Int(entry.I3).Int(entry.I4).Double(entry.D5);
    for (const auto& entry : fields.SettingsTableC)
        Ints(b, entry);
    for (const auto& entry : fields.SettingsTableD)
        Ints(b, entry);
    for (const auto& entry : fields.SettingsTableE)
        Ints(b, entry);
    Ints(b, h.SettingsG.Ints);
    b.Int(static_cast<int32_t>(10 * int64_t{h.SettingsG.TensPart} + h.SettingsG.UnitsPart));
    if (version >= 223) {
        Ints(b, h.SettingsG.Ints2);
        Doubles(b, h.SettingsG.Doubles);
    }
    if (version >= 225)
        Doubles(b, h.SettingsG.Doubles2);
    if (version >= 230)
        Ints(b, h.SettingsG.Ints3);

    if (version >= 420) {
        for (const TColorExNo& colour : fields.ColorExTable)
            b.Int(colour.ScreenColor).Int(colour.ScreenWidth);
        for (const TColorExNo& colour : fields.ColorExTable) {
            b.String(colour.Name).Int(colour.PrintColor).Int(colour.PrintWidth);
            b.Double(colour.PointRadius);
        }
        for (const TLineTypeExNo& lineType : fields.LineTypeExTable) {
            b.Int(lineType.Pattern).Int(lineType.DotsPerUnit);
            b.Int(lineType.ScreenPitch).Int(lineType.PrintPitch);
        }
        for (const TLineTypeExNo& lineType : fields.LineTypeExTable) {
            b.String(lineType.Name).Int(lineType.SegmentCount);
            Doubles(b, lineType.Pitches);
        }
    }
    for (const TSettingsEntry3D1I& entry : fields.SettingsTableF)
        Entry3D1I(b, entry, true);
    const TSettingsH& s = h.SettingsH;
    Doubles(b, s.Lead);
    Ints(b, s.Ints);
    Doubles(b, s.Mid);
    b.Int(s.Int);
    Doubles(b, s.Tail);
    return b.Bytes();
}
