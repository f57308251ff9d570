// The load and save drivers over streams in memory do exactly what they do over files.
#include "jww/jwwunit.h"
#include "tests/jww/TempImageFixture.h"
#include "tests/support/HeaderBuilder.h"

namespace {

std::string Drawing()
{
    TJwwDocument fields = HeaderFields(700);
    fields.Header.Memo = "memo";
    fields.Header.SettingsG.TensPart = 2;
    TJwwBuilder b;
    b.Raw(BuildHeader(fields)).Count(1).NewClass(700, "CDataMoji").Base(0, 1, 2, 0, 0, 0, 0);
    b.Double(0).Double(0).Double(10).Double(0).Int(1).Double(3).Double(3).Double(0.5).Double(0);
    b.String("MS Gothic").String("^@BM%temp%A.BMP,1").Count(0);
    b.Int(1).String("A.BMP").Int(3).Raw("abc");
    return b.Bytes();
}

}  // namespace

class DriversInMemory : public TempImageTest {};

TEST_F(DriversInMemory, LoadAndSaveGiveWhatTheFileDriversGive)
{
    const std::string drawing = Drawing();
    WriteFileBytes(Root + "in.jww", drawing);
    TJwwDocument fromFile;
    ASSERT_TRUE(LoadJww(fromFile, Root + "in.jww"));
    ASSERT_TRUE(SaveJww(fromFile, Root + "out.jww", 700));

    TJwwDocument fromMemory;
    TJwwReader r = TJwwReader::FromBytes(drawing);
    ASSERT_TRUE(LoadJww(fromMemory, r));
    EXPECT_EQ(fromMemory.Header.Memo, "memo");
    ASSERT_EQ(fromMemory.MojiList.size(), 1u);
    std::string saved;
    TJwwWriter w(&saved);
    ASSERT_TRUE(SaveJww(fromMemory, w, 700));
    EXPECT_EQ(saved, ReadFileBytes(Root + "out.jww"));
    EXPECT_EQ(saved, drawing);
}

TEST_F(DriversInMemory, FailuresBecomeAResultWithAReason)
{
    const std::string drawing = Drawing();
    TJwwDocument doc;
    TJwwReader cut = TJwwReader::FromBytes(drawing.substr(0, drawing.size() - 10));
    std::string failure;
    EXPECT_FALSE(LoadJww(doc, cut, &failure));
    EXPECT_NE(failure.find("image"), std::string::npos) << failure;
    EXPECT_EQ(doc.Header.Memo, "memo");

    // No reader opens a version below 220, so none is written.
    TJwwReader whole = TJwwReader::FromBytes(drawing);
    ASSERT_TRUE(LoadJww(doc, whole));
    std::string saved;
    TJwwWriter w(&saved);
    failure.clear();
    EXPECT_FALSE(SaveJww(doc, w, 219, &failure));
    EXPECT_NE(failure.find("219"), std::string::npos) << failure;
    EXPECT_TRUE(SaveJww(doc, w, 220, &failure));
}
