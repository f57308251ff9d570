// The cost of loading and saving a small drawing beside a plain copy of the same file, both
// durable: what a batch of real drawings, mostly small, pays for every one of them.
//   zelvane-bench-small [benchmark flags]
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "jww/jwwunit.h"
#include "jww/private_image_folder.h"
#include "testing/DrawingGenerator.h"

namespace {

// As small as a real drawing gets; the header with its tables alone takes about 18 KB.
constexpr uint64_t SmallDrawingBytes = 15 * 1024;

void Check(bool ok, const char* what)
{
    if (!ok)
        throw std::runtime_error(what);
}

// Reads the file and writes it to a new file beside the target, made durable and renamed, as a
// save does: the least any program that promises a whole file on disk can do.
void PlainCopy(const std::string& from, const std::string& to)
{
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    Check(in >= 0, "cannot open the drawing");
    std::vector<char> bytes(SmallDrawingBytes * 2);
    const ssize_t n = ::read(in, bytes.data(), bytes.size());
    ::close(in);
    Check(n > 0, "cannot read the drawing");
    const std::string temp = to + ".tmp";
    const int out = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    Check(out >= 0, "cannot create the copy");
    Check(::write(out, bytes.data(), static_cast<std::size_t>(n)) == n, "cannot write the copy");
    Check(::fsync(out) == 0 && ::close(out) == 0, "cannot store the copy");
    Check(::rename(temp.c_str(), to.c_str()) == 0, "cannot rename the copy");
    const int folder = ::open(std::filesystem::path(to).parent_path().c_str(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

void BenchLoadSave(benchmark::State& state, const std::string& drawing)
{
    const auto doc = std::make_unique<TJwwDocument>();
    const std::string output = drawing + ".saved.jww";
    for (auto _ : state) {
        if (!LoadJww(*doc, drawing) || !SaveJww(*doc, output, doc->Header.Version)) {
            state.SkipWithError("the drawing did not load and save");
            break;
        }
    }
    std::filesystem::remove(output);
}

void BenchPlainCopy(benchmark::State& state, const std::string& drawing)
{
    const std::string output = drawing + ".copied.jww";
    for (auto _ : state)
        PlainCopy(drawing, output);
    std::filesystem::remove(output);
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    try {
        const TPrivateImageFolder scratch;
        const std::string drawing = scratch.Path() + "/small.jww";
        {
            // The generator's smallest drawing holds every kind of object and is larger; its
            // block definitions and the objects at its end are left out until the file is as
            // small as wanted.
            TJwwDocument doc;
            GenerateDrawing(doc, {.Version = 700, .Images = false});
            doc.BlockDefList.clear();
            doc.Header.BlockDefCount = 0;
            std::erase_if(doc.EntityOrder, [](const TEntRef& ref) { return ref.Kind == KindBlock; });
            do {
                doc.EntityOrder.resize(doc.EntityOrder.size() * 9 / 10);
                doc.Header.EntityCount = static_cast<int32_t>(doc.EntityOrder.size());
                Check(SaveJww(doc, drawing, 700), "cannot save the small drawing");
            } while (std::filesystem::file_size(drawing) > SmallDrawingBytes &&
                     !doc.EntityOrder.empty());
        }
        std::cout << "small drawing: " << std::filesystem::file_size(drawing) << " bytes\n";
        benchmark::RegisterBenchmark("LoadSaveJww/small", BenchLoadSave, drawing)
            ->Unit(benchmark::kMicrosecond)
            ->MinTime(2.0)
            ->UseRealTime();
        benchmark::RegisterBenchmark("PlainCopy/small", BenchPlainCopy, drawing)
            ->Unit(benchmark::kMicrosecond)
            ->MinTime(2.0)
            ->UseRealTime();
        benchmark::RunSpecifiedBenchmarks();
    } catch (const std::exception& error) {
        std::cerr << "zelvane-bench-small: " << error.what() << '\n';
        return 1;
    }
    benchmark::Shutdown();
    return 0;
}
