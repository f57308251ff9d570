// Gives each test its own temp image folder with extraction on, and puts the module's temp image
// state back afterwards, so tests never see each other's images.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>

#include "jww/jwtype.h"
#include "tests/jww/ObjectBytes.h"

class TempImageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        Root = TestFolder(std::string(test->test_suite_name()) + "." + test->name());
        Images = Root + "TEMP/";  // one level down, so a name that escapes would land in Root
        std::filesystem::create_directory(Images);
        ClearTempImageList();
        TempImageFolder = Images;
        ExtractImages = ScanImages = true;
    }

    void TearDown() override
    {
        ClearTempImageList();
        TempImageFolder.clear();
        ExtractImages = ScanImages = false;
    }

    std::string Root;
    std::string Images;
};
