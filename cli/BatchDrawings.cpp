#include "cli/BatchDrawings.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <system_error>

#include "cli/CliText.h"
#include "jww/system_files.h"

namespace fs = std::filesystem;

namespace {

bool HasJwwExtension(const fs::path& path)
{
    std::string extension = Utf8Path(path.extension());
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
        if (fs::is_directory(FsPath(name), error))
            AddFolder(FsPath(name));
        else
            Add(name, fs::path());
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
            Found.Drawings.push_back({Utf8Path(folder), "",
                                      CliText<"ApplyFolderUnreadable">(Utf8Path(folder),
                                                                       error.message()),
                                      ""});
            return;
        }
        if (drawings.empty())
            Found.EmptyFolders.push_back(Utf8Path(folder));
        std::sort(drawings.begin(), drawings.end());
        for (const fs::path& drawing : drawings)
            Add(Utf8Path(drawing), drawing.parent_path().lexically_relative(folder));
    }

    bool IsOutDir(const fs::path& folder) const
    {
        std::error_code error;
        return fs::equivalent(folder, FsPath(OutDir), error);
    }

    // The drawing's result goes to the subfolder of the output folder.
    void Add(const std::string& input, const fs::path& subfolder)
    {
        const fs::path name = FsPath(input).filename();
        const fs::path place =
            (subfolder / FsPath(Utf8Path(name.stem()) + Suffix + Utf8Path(name.extension())))
                .lexically_normal();
        const fs::path output = (FsPath(OutDir) / place).lexically_normal();
        TBatchDrawing drawing{input, Utf8Path(output), "", Utf8Path(place)};
        const auto [first, isNew] = Outputs.try_emplace(Utf8Path(fs::absolute(output)), input);
        if (!isNew)
            drawing.Refusal = CliText<"ApplySameOutput">(input, drawing.Output, first->second);
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
