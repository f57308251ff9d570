// Running zelvane-cli inside a test, and the drawings its tests work on.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "jww/jwwunit.h"
#include "tests/support/HeaderBuilder.h"
#include "tests/support/JwwBuilder.h"
#include "text/Func_.h"
#include "tools/CliCommands.h"
#include "tools/DrawingGenerator.h"
#include "tools/DrawingLoad.h"
#include "tools/PrivateImageFolder.h"
#include "ui/NumberText.h"

struct TCliRun {
    int ExitCode = -1;
    std::string Out;
    std::string Err;
};

inline TCliRun Cli(std::vector<std::string> args)
{
    args.insert(args.begin(), "zelvane-cli");
    std::vector<const char*> argv;
    for (const std::string& arg : args)
        argv.push_back(arg.c_str());
    std::ostringstream out, err;
    const int exitCode = RunZelvaneCli(static_cast<int>(argv.size()), argv.data(), out, err);
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
        if (const char* previous = std::getenv("TMPDIR"))
            PreviousTmpDir = previous;
        ::setenv("TMPDIR", (Root + "tmp").c_str(), 1);
    }

    void TearDown() override
    {
        EXPECT_TRUE(std::filesystem::is_empty(Root + "tmp")) << "a private image folder was left";
        if (PreviousTmpDir)
            ::setenv("TMPDIR", PreviousTmpDir->c_str(), 1);
        else
            ::unsetenv("TMPDIR");
    }

    // Files in Root other than the given ones: what a failed command may have left.
    std::vector<std::string> OtherFiles(std::vector<std::string> expected) const
    {
        expected.push_back("tmp");
        std::vector<std::string> others;
        for (const auto& entry : std::filesystem::directory_iterator(Root)) {
            const std::string name = entry.path().filename().string();
            if (std::find(expected.begin(), expected.end(), name) == expected.end())
                others.push_back(name);
        }
        return others;
    }

    std::string Root;
    std::optional<std::string> PreviousTmpDir;
};

// A generated drawing saved at path. Its point radii are given the values their shown text
// reads as: the generator's multiples of 0.05 need more than the 15 digits the window shows,
// and every cell that the window's save reads passes through its text.
inline void SaveGeneratedDrawing(const std::string& path, int32_t version, bool images = true,
                                 void (*change)(TJwwDocument&) = nullptr)
{
    const TPrivateImageFolder imageFolder;
    const auto doc = std::make_unique<TJwwDocument>();
    GenerateDrawing(*doc, {.Version = version, .TargetBytes = 0, .Seed = 5, .Images = images});
    for (TColorExNo& color : doc->ColorExTable)
        color.PointRadius = StrToFloatZero(GeneralNumberText(color.PointRadius));
    if (change)
        change(*doc);
    ASSERT_TRUE(SaveJww(*doc, path, version));
}

// The drawing at path, loaded completely, with the names and sizes of its images.
struct TLoadedDrawing {
    std::unique_ptr<TJwwDocument> Doc = std::make_unique<TJwwDocument>();
    std::vector<TBindImageType> Images;
};

inline TLoadedDrawing LoadDrawing(const std::string& path)
{
    TLoadedDrawing loaded;
    const TImageListOnly images;
    std::string failure;
    EXPECT_TRUE(LoadJww(*loaded.Doc, path, &failure)) << path << ": " << failure;
    loaded.Images = TempImageList;
    return loaded;
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
        ASSERT_TRUE(SaveJww(*Doc, path, Doc->Header.Version)) << path;
    }

    std::unique_ptr<TJwwDocument> Doc;
};

// A base record with the given line type, colour, layer group and layer and a line width of 1.
inline TEntBase BaseWith(uint8_t penStyle, uint16_t penColor, uint16_t layerGroup = 0,
                         uint16_t layer = 0)
{
    return {0, penStyle, penColor, 1, layer, layerGroup, 0};
}
