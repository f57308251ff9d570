// Running zelvane-cli inside a test, and the drawings the tests of cli/ work on.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "cli/DrawingLoad.h"
#include "jww/jwwunit.h"
#include "jww/private_image_folder.h"
#include "tables/NumberText.h"
#include "testing/DrawingGenerator.h"
#include "tests/support/HeaderBuilder.h"
#include "tests/support/JwwBuilder.h"
#include "tests/support/TestPlatform.h"
#include "text/Cp932.h"
#include "text/Func_.h"

struct TCliRun {
    int ExitCode;
    std::string Out;
    std::string Err;
};

inline TCliRun Cli(std::vector<std::string> args, TLanguage language = TLanguage::English)
{
    args.insert(args.begin(), "zelvane-cli");
    std::vector<const char*> argv;
    for (const std::string& arg : args)
        argv.push_back(arg.c_str());
    std::ostringstream out, err;
    const int exitCode =
        RunZelvaneCli(static_cast<int>(argv.size()), argv.data(), out, err, language);
    return {exitCode, out.str(), err.str()};
}

// A folder of its own for each test, which is also where the command's private image folders
// go, so that the test sees whether they are gone afterwards.
class TCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        Root = TestFolder(std::string(info->test_suite_name()) + "." + info->name());
        std::filesystem::create_directory(Root + "tmp");
        if (const char* previous = std::getenv(TempFolderVariable()))
            PreviousTmpDir = previous;
        SetEnvironment(TempFolderVariable(), Root + "tmp");
    }

    void TearDown() override
    {
        EXPECT_TRUE(std::filesystem::is_empty(Root + "tmp")) << "a private image folder was left";
        if (PreviousTmpDir)
            SetEnvironment(TempFolderVariable(), *PreviousTmpDir);
        else
            UnsetEnvironment(TempFolderVariable());
    }

    // The names of the files in Root, which show what a failed command may have left.
    std::vector<std::string> Files() const { return FileNamesIn(Root); }

    std::string Root;
    std::optional<std::string> PreviousTmpDir;
};

// A generated drawing saved at path. Its point radii are given the values their shown text
// reads as: the generator's multiples of 0.05 need more than the 15 digits the window shows,
// and every cell that the window's save reads passes through its text.
inline void SaveGeneratedDrawing(const std::string& path, int32_t version,
                                 void (*change)(TJwwDocument&) = nullptr)
{
    const TPrivateImageFolder imageFolder;
    const auto doc = std::make_unique<TJwwDocument>();
    GenerateDrawing(*doc, {.Version = version, .Seed = 5});
    for (TColorExNo& color : doc->ColorExTable)
        color.PointRadius = StrToFloatZero(GeneralNumberText(color.PointRadius));
    if (change)
        change(*doc);
    ASSERT_TRUE(SaveJww(*doc, path, version));
}

// A document saved in memory in its own version and string form, and bytes loaded from memory.
inline std::string Saved(const TJwwDocument& doc)
{
    std::string bytes;
    TJwwWriter w(&bytes);
    EXPECT_TRUE(SaveJww(doc, w, doc.Header.Version));
    return bytes;
}
inline bool Loads(TJwwDocument& doc, const std::string& bytes)
{
    TJwwReader r = TJwwReader::FromBytes(bytes);
    return LoadJww(doc, r);
}

// The drawing at path, loaded completely, and the names and sizes of its images.
inline std::unique_ptr<TJwwDocument> LoadDrawing(const std::string& path,
                                                 std::vector<TBindImageType>* images = nullptr)
{
    auto doc = std::make_unique<TJwwDocument>();
    const TImageListOnly imageList;
    std::string failure;
    EXPECT_TRUE(LoadJww(*doc, path, &failure)) << path << ": " << failure;
    if (images)
        *images = TempImageList;
    return doc;
}

// A drawing of version 700 or earlier with a complete header and the given objects in its main
// list, no block definitions and no images.
struct TSmallDrawing {
    explicit TSmallDrawing(int32_t version) : Doc(std::make_unique<TJwwDocument>())
    {
        *Doc = HeaderFields(version);
        Doc->Header.SettingsG.TensPart = 1;
    }

    template <class TRecord>
    TSmallDrawing& Add(std::vector<TRecord>& list, int32_t kind, const TRecord& record)
    {
        list.push_back(record);
        Doc->EntityOrder.push_back({kind, static_cast<int32_t>(list.size() - 1)});
        Doc->Header.EntityCount = static_cast<int32_t>(Doc->EntityOrder.size());
        return *this;
    }

    void Save(const std::string& path) const
    {
        ASSERT_TRUE(SaveJww(*Doc, path, Doc->Header.Version));
    }

    std::unique_ptr<TJwwDocument> Doc;
};

// A base record with the given line type, colour, layer group and layer and a line width of 1.
inline TEntBase BaseWith(uint8_t penStyle, uint16_t penColor, uint16_t group = 0,
                         uint16_t layer = 0)
{
    return {0, penStyle, penColor, 1, layer, group, 0};
}

// A version 700 drawing with SXF values, and names that need quoting: a line with SXF line type 35
// and colour 105; on layer 2 of group 3, named 壁, "A", two lines with line type 31 and colour
// 101 and a point with colour 356; a dimension with SXF mode 1 whose first extension line has
// line type 33, and the same dimension without SXF mode.
inline void SaveSxfDrawing(const std::string& path)
{
    TSmallDrawing drawing(700);
    TJwwDocument& doc = *drawing.Doc;
    doc.LayerTable[3 * 16 + 2].Name = "\x95\xC7, \"A\"";
    doc.ColorExTable[1].PointRadius = 0.000001;
    doc.ColorExTable[256].Name = "last";
    doc.LineTypeExTable[1] = {-65536, 0, 0, 0, "", 0, {0.5}};
    doc.LineTypeExTable[5].Name = "SXF";
    TEntSunpo withMode;
    for (TEntBase* base : {&withMode.Base, &withMode.DimLine.Base, &withMode.DimText.Base,
                           &withMode.ExtLine2.Base, &withMode.Point1.Base, &withMode.Point2.Base,
                           &withMode.ExtPoint1.Base, &withMode.ExtPoint2.Base})
        *base = BaseWith(1, 2);
    withMode.DimText.Text = "1000";
    withMode.SxfMode = 1;
    withMode.ExtLine1 = {BaseWith(33, 2), 0, 0, 0, 5.0};
    withMode.ExtPoint2.X = 7.0;
    TEntSunpo withoutMode = withMode;
    withoutMode.SxfMode = 0;
    drawing.Add(doc.SenList, KindSen, {BaseWith(35, 105), 0, 0, 10.0, 0})
        .Add(doc.SenList, KindSen, {BaseWith(31, 101, 3, 2)})
        .Add(doc.SenList, KindSen, {BaseWith(31, 101, 3, 2)})
        .Add(doc.TenList, KindTen, {BaseWith(1, 356, 3, 2)})
        .Add(doc.SunpoList, KindSunpo, withMode)
        .Add(doc.SunpoList, KindSunpo, withoutMode);
    drawing.Save(path);
}

// The drawing of SaveSxfDrawing with layer 3-2 renamed 躯体壁, the screen colour of SXF colour 1
// made 65280 and its last object, a dimension on layer 0-0, removed.
inline void SaveRevisedSxfDrawing(const std::string& path)
{
    SaveSxfDrawing(path);
    const std::unique_ptr<TJwwDocument> doc = LoadDrawing(path);
    doc->LayerTable[3 * 16 + 2].Name = Utf8ToCp932("躯体壁");
    doc->ColorExTable[1].ScreenColor = 65280;
    doc->EntityOrder.pop_back();
    doc->Header.EntityCount -= 1;
    ASSERT_TRUE(SaveJww(*doc, path, doc->Header.Version));
}
