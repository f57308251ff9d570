#include "tests/support/ImageDrawing.h"

#include <filesystem>

#include "jww/jwwunit.h"
#include "tests/support/HeaderBuilder.h"
#include "tests/support/JwwBuilder.h"

bool SaveDrawingWithImage(const std::string& path, const std::string& imageName,
                          const std::string& image, const std::string& scratch)
{
    TTempImageState own{scratch, {{imageName, 0, 0}}, 1};
    std::filesystem::create_directories(scratch);
    WriteFileBytes(scratch + imageName, image);
    TJwwDocument doc = HeaderFields(700);
    doc.MojiList.push_back({});
    doc.MojiList[0].Text = "^@BM%temp%" + imageName + ",100,100";
    doc.EntityOrder.push_back({4, 0});
    doc.Header.EntityCount = 1;
    SwapTempImageState(own);
    const bool saved = SaveJww(doc, path, 700);
    SwapTempImageState(own);
    return saved;
}
