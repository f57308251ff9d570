#include <filesystem>

#include "tests/ui/Form1Fixture.h"

namespace {

class Form1Lifecycle : public ModuleStateTest {
protected:
    TFakeDesktopServices Services;
    TForm1 Form{Services};
};

}  // namespace

TEST_F(Form1Lifecycle, ShowingEmptiesEverythingAndWritesTheFrames)
{
    JwwDoc.Header.Version = 700;
    CreateHeaderTables(JwwDoc);
    TempImageList.push_back({"A.BMP", 10, 0});
    TempImageCount = 1;
    Services.ExecutablePathAnswer = "/opt/zelvane/bin/zelvane";
    Form.FormShow();

    EXPECT_EQ(JwwDoc.Header.Version, 0);
    EXPECT_TRUE(JwwDoc.LayerTable.empty());
    EXPECT_TRUE(TempImageList.empty());
    EXPECT_EQ(TempImageCount, 0);
    EXPECT_EQ(Form.ProgramDir, "/opt/zelvane/bin/");
    EXPECT_EQ(TempImageFolder, "/opt/zelvane/bin/TEMP/");
    EXPECT_TRUE(ExtractImages);
    EXPECT_TRUE(ScanImages);
    EXPECT_EQ(Services.CreatedFolders, std::vector<std::string>{"/opt/zelvane/bin/TEMP/"});
    EXPECT_EQ(Form.LoadedFileName, "");
    EXPECT_EQ(Form.Edit1.Text, "");
    EXPECT_EQ(Form.LastCol, 1);
    EXPECT_EQ(Form.LastRow, 1);
    EXPECT_EQ(Form.LastCol4, 1);
    EXPECT_EQ(Form.LastRow4, 1);
    EXPECT_EQ(Form.StringGrid1.Cell(0, 0), "No.");
    EXPECT_EQ(Form.StringGrid1.Cell(0, 16), " 15");
    EXPECT_EQ(Form.StringGrid2.Cell(0, 256), "255");
    EXPECT_EQ(Form.StringGrid3.Cell(0, 256), "256");
    EXPECT_EQ(Form.StringGrid4.Cell(0, 32), " 32");
    EXPECT_EQ(Form.StringGrid4.Cell(LineTypeCountCol, 0), HeadElementCount);
    EXPECT_EQ(Form.StringGrid3.Cell(ColorNameCol, 1), "");
    EXPECT_TRUE(Services.Messages.empty());
}

TEST_F(Form1Lifecycle, UnusableProgramFolderSendsImagesToTheCache)
{
    Services.ExecutablePathAnswer = "/usr/bin/zelvane";
    Services.UserCacheFolderAnswer = "/home/u/.cache/";
    Services.UnusableFolders = {"/usr/bin/TEMP/"};
    Form.FormShow();
    EXPECT_EQ(Form.ProgramDir, "/usr/bin/");
    EXPECT_EQ(TempImageFolder, "/home/u/.cache/zelvane/TEMP/");
    EXPECT_EQ(Services.CreatedFolders,
              (std::vector<std::string>{"/usr/bin/TEMP/", "/home/u/.cache/zelvane/TEMP/"}));

    Form.FormClose();
    EXPECT_EQ(Services.RemovedFolders, std::vector<std::string>{"/home/u/.cache/zelvane/TEMP/"});
}

TEST_F(Form1Lifecycle, WithoutAUsableFolderStartUpGoesOnBesideTheProgram)
{
    Services.ExecutablePathAnswer = "/usr/bin/zelvane";
    Services.UnusableFolders = {"/usr/bin/TEMP/", "/home/user/.cache/zelvane/TEMP/"};
    Form.FormShow();
    EXPECT_EQ(TempImageFolder, "/usr/bin/TEMP/");
    EXPECT_TRUE(Services.Messages.empty());

    Services.UserCacheFolderAnswer = "";
    Services.CreatedFolders.clear();
    Form.FormShow();
    EXPECT_EQ(TempImageFolder, "/usr/bin/TEMP/");
    EXPECT_EQ(Services.CreatedFolders, std::vector<std::string>{"/usr/bin/TEMP/"});
}

TEST_F(Form1Lifecycle, ClosingDeletesTheImagesThenTheFolder)
{
    const std::string root = TestFolder("Form1Lifecycle.Closing");
    Services.ExecutablePathAnswer = root + "zelvane";
    Form.FormShow();
    std::filesystem::create_directory(TempImageFolder);
    WriteFileBytes(TempImageFolder + "A.BMP", "image");
    WriteFileBytes(TempImageFolder + "mine.txt", "not an image of the drawing");
    TempImageList.push_back({"A.BMP", 5, 0});
    TempImageCount = 1;
    CreateHeaderTables(JwwDoc);

    Form.FormClose();
    EXPECT_FALSE(std::filesystem::exists(TempImageFolder + "A.BMP"));
    EXPECT_TRUE(std::filesystem::exists(TempImageFolder + "mine.txt"));
    EXPECT_EQ(Services.RemovedFolders, std::vector<std::string>{root + "TEMP/"});
    EXPECT_TRUE(TempImageList.empty());
    EXPECT_TRUE(JwwDoc.LayerTable.empty());
    EXPECT_TRUE(Services.Messages.empty());
}
