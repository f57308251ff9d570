#include <gtest/gtest.h>

#include <thread>

#include "tests/tools/CliTestSupport.h"

namespace {

class ParallelWork : public TCliTest {
protected:
    std::string Drawing(int i) const { return Root + "in" + std::to_string(i) + ".jww"; }
};

}  // namespace

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
