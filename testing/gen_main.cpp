// zelvane-gen OUT --version N --size BYTES [--seed S] [--no-images] [--nested FAN-OUT DEPTH]:
// writes a synthetic drawing for benchmarks, fuzz seeds and tests.
#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>
#include <stdexcept>

#include "jww/jwwunit.h"
#include "jww/private_image_folder.h"
#include "testing/DrawingGenerator.h"

int main(int argc, char** argv)
{
    CLI::App app("Writes a synthetic JWW drawing of a chosen size and version.", "zelvane-gen");
    std::string output;
    TGeneratorOptions options;
    bool noImages = false;
    app.add_option("OUT", output, "The drawing to write")->required();
    app.add_option("--version", options.Version, "Format version, 420 or later")
        ->required()
        ->check(CLI::Range(420, 0xFFFF));
    app.add_option("--size", options.TargetBytes, "Approximate file size; 0 for a small drawing")
        ->required()
        ->transform(CLI::AsSizeValue(true));
    app.add_option("--seed", options.Seed, "Seed of the random values");
    app.add_flag("--no-images", noImages, "Embed no images");
    std::vector<int32_t> nested;
    app.add_option("--nested", nested,
                   "Instead, a small drawing whose definitions each insert the next FAN-OUT times, "
                   "DEPTH deep")
        ->expected(2)
        ->check(CLI::Range(1, 1000));
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        // Help is a success; every other parse failure is a usage error, as for zelvane-cli.
        return app.exit(error) == 0 ? 0 : 2;
    }
    options.Images = !noImages;

    try {
        // The images are written into a folder of this run's own, which goes with it.
        const TPrivateImageFolder imageFolder;
        const auto doc = std::make_unique<TJwwDocument>();
        if (nested.empty())
            GenerateDrawing(*doc, options);
        else
            GenerateNestedDrawing(*doc, options.Version, nested[0], nested[1]);
        std::string failure;
        if (!SaveJww(*doc, output, options.Version, &failure)) {
            std::cerr << "zelvane-gen: " << output << ": " << failure << '\n';
            return 1;
        }
    } catch (const std::exception& error) {
        std::cerr << "zelvane-gen: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
