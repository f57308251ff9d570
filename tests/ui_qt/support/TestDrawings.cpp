#include "tests/ui_qt/support/TestDrawings.h"

#include <QTest>

#include <memory>

#include "tools/DrawingGenerator.h"
#include "ui/qt/DisplayText.h"

std::string WriteTestDrawing(const QString& folder, const QString& fileName,
                             const std::function<void(TJwwDocument&)>& edit)
{
    const auto doc = std::make_unique<TJwwDocument>();
    TGeneratorOptions options;
    options.Version = 700;
    options.Images = false;
    GenerateDrawing(*doc, options);
    if (edit)
        edit(*doc);
    const std::string path = PathToOs(folder + QLatin1Char('/') + fileName);
    std::string failure;
    const bool saved = SaveJww(*doc, path, options.Version, &failure);
    [&] { QVERIFY2(saved, failure.c_str()); }();
    return saved ? path : std::string();
}

std::unique_ptr<TJwwDocument> LoadTestDrawing(const std::string& path)
{
    auto doc = std::make_unique<TJwwDocument>();
    std::string failure;
    const bool loaded = LoadJww(*doc, path, &failure);
    [&] { QVERIFY2(loaded, failure.c_str()); }();
    return doc;
}
