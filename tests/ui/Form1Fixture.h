// A window shown over scripted desktop services, with a folder of its own for drawing files,
// and helpers that write small drawings and drive the open and save buttons.
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "jww/jwwunit.h"
#include "tests/support/HeaderBuilder.h"
#include "tests/support/JwwBuilder.h"
#include "tests/ui/FakeDesktopServices.h"
#include "ui/Messages.h"
#include "ui/TableFrames.h"
#include "ui/Unit1.h"

// The bytes of a drawing with the given header and no objects. Version 700 and later would
// need an image section, so the tests keep to versions below it.
inline std::string EmptyDrawingBytes(const TJwwDocument& fields)
{
    return TJwwBuilder().Raw(BuildHeader(fields)).Count(0).Count(0).Bytes();
}

// Puts the module-level document and temp image state back after each test.
class ModuleStateTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        ClearJww();
        ClearTempImageList();
        TempImageFolder.clear();
        ExtractImages = false;
        ScanImages = false;
    }
};

class Form1Test : public ModuleStateTest {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        Folder = TestFolder(std::string(info->test_suite_name()) + "." + info->name());
        Services.ExecutablePathAnswer = Folder + "bin/zelvane";
        Form.FormShow();
        Services.Calls.clear();
        Services.CreatedFolders.clear();
    }

    // Writes a drawing file into the test's folder and returns its path.
    std::string WriteDrawing(const std::string& name, const TJwwDocument& fields)
    {
        const std::string path = Folder + name;
        WriteFileBytes(path, EmptyDrawingBytes(fields));
        return path;
    }

    // A version 600 drawing with recognisable names and SXF values.
    static TJwwDocument SampleFields()
    {
        TJwwDocument fields = HeaderFields(600);
        fields.LayerGroupTable[3].Name = "group 3";
        fields.LayerTable[200].Name = "layer 200";
        fields.ColorExTable[1].Name = "colour 1";
        fields.ColorExTable[1].ScreenColor = 255;
        fields.ColorExTable[1].PointRadius = 0.5;
        fields.LineTypeExTable[1].Name = "type 1";
        fields.LineTypeExTable[1].Pattern = -65536;
        fields.LineTypeExTable[1].SegmentCount = 2;
        fields.LineTypeExTable[1].Pitches = {1.5, 2.5, 0, 0, 0, 0, 0, 0, 8.5, 9.5};
        return fields;
    }

    std::string WriteSampleDrawing(const std::string& name = "drawing.jww")
    {
        return WriteDrawing(name, SampleFields());
    }

    // Picks the path in the open dialog and runs the open flow.
    void Open(const std::string& path)
    {
        Services.OpenAnswers.push_back(path);
        Form.Button1Click();
    }

    // Picks the path in the save dialog and runs the save flow.
    void SaveAs(const std::string& path)
    {
        Services.SaveAnswers.push_back(path);
        Form.Button2Click();
    }

    // The one message shown since the last check, as (text, caption, kind, beep).
    void ExpectOnlyMessage(std::string_view text, std::string_view caption, TMessageKind kind,
                           bool beep)
    {
        ASSERT_EQ(Services.Messages.size(), 1u);
        const TShownMessage& m = Services.Messages.front();
        EXPECT_EQ(m.Text, text);
        EXPECT_EQ(m.Caption, caption);
        EXPECT_EQ(m.Kind, kind);
        EXPECT_EQ(m.AfterBeep, beep);
        EXPECT_EQ(Services.Beeps, beep ? 1 : 0);
        Services.Messages.clear();
        Services.Beeps = 0;
    }

    void ExpectWarning(std::string_view text, bool beep)
    {
        ExpectOnlyMessage(text, CaptionWarning, TMessageKind::Warning, beep);
    }

    void ExpectNoMessage()
    {
        EXPECT_TRUE(Services.Messages.empty());
        EXPECT_EQ(Services.Beeps, 0);
    }

    TFakeDesktopServices Services;
    TForm1 Form{Services};
    std::string Folder;
};
