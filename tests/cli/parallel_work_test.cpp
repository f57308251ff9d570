#include <gtest/gtest.h>

#include <thread>

#include "tests/cli/CliTestSupport.h"

namespace {

class ParallelWork : public TCliTest {
protected:
    // Drawings whose images have the same names but other bytes, saved with their images.
    void SaveDrawings(int count)
    {
        for (int i = 0; i < count; ++i) {
            const TPrivateImageFolder imageFolder;
            TJwwDocument doc;
            GenerateDrawing(doc, {.Version = 700, .Seed = static_cast<uint32_t>(10 + i)});
            ASSERT_TRUE(SaveJww(doc, Drawing(i), 700));
        }
    }

    std::string Drawing(int i) const { return Root + "in" + std::to_string(i) + ".jww"; }
};

}  // namespace

TEST_F(ParallelWork, ThreadsLoadingAndSavingSideBySideNeverMixTheirImages)
{
    constexpr int Drawings = 4;
    SaveDrawings(Drawings);
    std::vector<std::thread> workers;
    for (int t = 0; t < 2; ++t)
        workers.emplace_back([this, t] {
            // Each thread its own folder and document, kept for every drawing it takes.
            const TPrivateImageFolder imageFolder;
            TJwwDocument doc;
            for (int round = 0; round < 3; ++round)
                for (int i = 0; i < Drawings; ++i) {
                    const std::string out = Root + "out" + std::to_string(t) + "-" +
                                            std::to_string(round) + "-" + std::to_string(i);
                    std::string failure;
                    EXPECT_TRUE(LoadJww(doc, Drawing((i + t) % Drawings), &failure)) << failure;
                    EXPECT_TRUE(SaveJwwAsNewFile(doc, out, 700, &failure)) << failure;
                    DeleteTempImageFiles();
                }
        });
    for (std::thread& worker : workers)
        worker.join();
    for (int t = 0; t < 2; ++t)
        for (int round = 0; round < 3; ++round)
            for (int i = 0; i < Drawings; ++i) {
                const std::string out = Root + "out" + std::to_string(t) + "-" +
                                        std::to_string(round) + "-" + std::to_string(i);
                EXPECT_TRUE(ReadFileBytes(out) == ReadFileBytes(Drawing((i + t) % Drawings)))
                    << out;
            }
    // The state of this thread was never touched by the others.
    EXPECT_TRUE(TempImageFolder.empty());
    EXPECT_TRUE(TempImageList.empty());
}

TEST_F(ParallelWork, SavesOfManyThreadsIntoOneFolderEachGetATempFileOfTheirOwn)
{
    TSmallDrawing drawing(600);
    const TJwwDocument& doc = *drawing.Doc;
    std::vector<std::thread> workers;
    for (int t = 0; t < 4; ++t)
        workers.emplace_back([this, t, &doc] {
            for (int i = 0; i < 50; ++i)
                EXPECT_TRUE(SaveJwwAsNewFile(doc, Root + std::to_string(t * 100 + i), 600));
        });
    for (std::thread& worker : workers)
        worker.join();
    // Every save landed under its own name, and no temp file stayed.
    EXPECT_EQ(Files().size(), 4u * 50u + 1u);
}
