#include "tools/BatchDrawings.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool HasJwwExtension(const fs::path& path)
{
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".jww";
}

class TFinder {
public:
    TFinder(const std::string& outDir, const std::string& suffix) : OutDir(outDir), Suffix(suffix)
    {
    }

    void AddNamed(const std::string& name)
    {
        std::error_code error;
        if (fs::is_directory(name, error))
            AddFolder(name);
        else
            Add(name, fs::path(OutDir));
    }

    TBatchDrawings Found;

private:
    void AddFolder(const fs::path& folder)
    {
        std::vector<fs::path> drawings;
        std::error_code error;
        fs::recursive_directory_iterator walk(folder, error), end;
        for (; !error && walk != end; walk.increment(error)) {
            std::error_code ignored;
            if (walk->is_directory(ignored) && IsOutDir(walk->path())) {
                walk.disable_recursion_pending();
                continue;
            }
            if (walk->is_regular_file(ignored) && HasJwwExtension(walk->path()))
                drawings.push_back(walk->path());
        }
        if (error) {
            Found.Drawings.push_back(
                {folder.string(), "", folder.string() + ": cannot be read (" + error.message() + ")"});
            return;
        }
        if (drawings.empty())
            Found.EmptyFolders.push_back(folder.string());
        std::sort(drawings.begin(), drawings.end());
        for (const fs::path& drawing : drawings)
            Add(drawing.string(), fs::path(OutDir) / drawing.parent_path().lexically_relative(folder));
    }

    bool IsOutDir(const fs::path& folder) const
    {
        std::error_code error;
        return fs::equivalent(folder, OutDir, error);
    }

    void Add(const std::string& input, const fs::path& outFolder)
    {
        const fs::path name = fs::path(input).filename();
        const fs::path output =
            (outFolder / (name.stem().string() + Suffix + name.extension().string()))
                .lexically_normal();
        TBatchDrawing drawing{input, output.string(), ""};
        const auto [first, isNew] = Outputs.try_emplace(fs::absolute(output).string(), input);
        if (!isNew)
            drawing.Refusal = input + ": skipped: " + drawing.Output + " is also the output of " +
                              first->second;
        Found.Drawings.push_back(std::move(drawing));
    }

    std::string OutDir;
    std::string Suffix;
    std::map<std::string, std::string> Outputs;  // the absolute output path, and its drawing
};

}  // namespace

TBatchDrawings FindBatchDrawings(const std::vector<std::string>& named, const std::string& outDir,
                                 const std::string& suffix)
{
    TFinder finder(outDir, suffix);
    for (const std::string& name : named)
        finder.AddNamed(name);
    return std::move(finder.Found);
}
