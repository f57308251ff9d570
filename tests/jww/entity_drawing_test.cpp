#include <gtest/gtest.h>

#include <string>

#include "jww/jwwunit.h"
#include "tests/jww/ObjectBytes.h"

namespace {

constexpr int32_t Version = 700;

// The object lists of a drawing holding every kind, in the entity list and inside block
// definitions. As read, some objects carry what a writer rule changes and an unknown class
// stands among them; as written, those rules are applied and the unknown class is gone.
class TDrawing {
public:
    explicit TDrawing(bool asWritten) : AsWritten(asWritten) {}

    std::string Bytes()
    {
        B.Count(13);
        Objects(0);
        B.Count(3);
        Definition(1, 11, false, "Door");
        Objects(100);
        Definition(2, 0, true, "\x83\x45\x83\x42\x83\x93\x83\x68\x83\x45\r\n");  // long-form time
        Definition(3, 1, false, "");
        Object("CDataBlock", SampleBlock(300), SampleBlock(300));
        return B.Bytes();
    }

private:
    template <class Rec>
    void Object(std::string_view className, const Rec& read, const Rec& written)
    {
        Tags.Tag(B, className);
        AddRecord(B, AsWritten ? written : read, Version);
        Tags.Object();
    }

    template <class Rec>
    void Object(std::string_view className, const Rec& rec)
    {
        Object(className, rec, rec);
    }

    // Thirteen objects in the entity list, eleven in a definition.
    void Objects(int seed)
    {
        Object("CDataSen", SampleLine(seed + 1));
        Object("CDataEnko", SampleArc(seed + 2));
        Object("CDataTen", SamplePoint(seed + 3));
        Object("CDataTen", SampleCodePoint(seed + 4));
        if (!AsWritten)
            Tags.UnknownClass(B, "CDataUnknown");
        Object("CDataMoji", SampleText(seed + 5));
        TEntSunpo withoutMode = SampleDimension(seed + 6);
        withoutMode.SxfMode = 0;
        Object("CDataSunpou", SampleDimension(seed + 7));
        Object("CDataSunpou", withoutMode);
        Object("CDataSolid", SampleSolid(seed + 8));
        Object("CDataSolid", SampleColorSolid(seed + 9));
        Object("CDataBlock", SampleBlock(seed + 10));

        TEntSen dashed = SampleLine(seed + 11);
        dashed.Base.PenStyle = 0;
        TEntSen solid = dashed;
        solid.Base.PenStyle = 1;
        Object("CDataSen", dashed, solid);
        if (seed != 0)
            return;
        TEntMoji twoLines = SampleText(seed + 12);
        twoLines.Text = "first\r\nsecond";
        TEntMoji joined = twoLines;
        joined.Text = "firstsecond";
        Object("CDataMoji", twoLines, joined);
        TEntBlock outside = SampleBlock(seed + 13);
        outside.Base.Layer = 16;
        TEntBlock inside = outside;
        inside.Base.Layer = 0;
        Object("CDataBlock", outside, inside);
    }

    void Definition(int seed, int32_t objects, bool longTime, const std::string& name)
    {
        Tags.Tag(B, "CDataList");
        TEntBlockDef def;
        def.Base = PlainBase(static_cast<uint32_t>(seed));
        def.Base.PenStyle = 44;
        def.Base.PenColor = 1000;
        def.Number = seed;
        def.Referenced = 1;
        def.Time = longTime ? static_cast<int32_t>(0x8000ABCDu) : 0x5EED0000 + seed;
        def.Name = name;
        if (AsWritten && longTime)
            def.Time = seed;  // its position in the list
        if (AsWritten && name.ends_with("\r\n"))
            def.Name.resize(name.size() - 2);
        AddRecord(B, def.Base, Version);
        B.Int(def.Number).Int(def.Referenced).Int(def.Time);
        if (longTime && !AsWritten)
            B.Raw("\x01\x02\x03\x04\x05\x06\x07\x08");
        B.String(def.Name).Count(objects);
        Tags.Object();
    }

    bool AsWritten;
    TJwwBuilder B;
    TTagNumbering Tags{Version};
};

std::string ReadAndWrite(const std::string& bytes)
{
    TJwwDocument doc;
    doc.Header.Version = Version;
    TClassRegistry registry;
    TJwwReader r = TJwwReader::FromBytes(bytes);
    ReadEntityList(r, doc, registry);
    ReadBlockDefList(r, doc, registry, Version);
    EXPECT_EQ(r.BytesLeft(), 0u);
    return WrittenBytes([&](TJwwWriter& w) {
        WriteEntityList(w, doc, Version, registry);
        WriteBlockDefList(w, doc, Version, registry);
    });
}

}  // namespace

TEST(DrawingRoundTrip, EveryKindEverywhereIsWrittenAsReadSaveForTheWriterRules)
{
    const std::string input = TDrawing(false).Bytes();
    const std::string expected = TDrawing(true).Bytes();
    ASSERT_NE(input, expected);

    const std::string first = ReadAndWrite(input);
    EXPECT_EQ(first, expected);
    const std::string second = ReadAndWrite(first);
    EXPECT_EQ(second, first);
}
