#include "cli/EditsFile.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "cli/CliCommands.h"
#include "cli/CliText.h"
#include "jww/system_files.h"

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream file(FsPath(path), std::ios::binary);
    if (!file)
        throw std::runtime_error(CliText<"CannotOpen">(path, std::strerror(errno)));
    try {
        std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        if (!file.bad())
            return bytes;
    } catch (const std::ios_base::failure&) {
        // A folder, for one, opens but cannot be read.
    }
    throw std::runtime_error(CliText<"CannotRead">(path));
}

std::optional<TTextEncoding> EncodingNamed(const std::string& name)
{
    if (name.empty())
        return std::nullopt;
    return name == "cp932" ? TTextEncoding::Cp932 : TTextEncoding::Utf8;
}

std::optional<std::vector<TCellEdit>> ReadEditsFile(const std::string& path,
                                                    const std::string& encodingName,
                                                    int& exitCode, std::string& whyNot)
{
    try {
        return ReadTableEdits(ReadWholeFile(path), EncodingNamed(encodingName));
    } catch (const ETableTextError& e) {
        exitCode = ExitUsage;
        whyNot = CliText<"NothingWritten">(path + ": " + e.what());
    } catch (const std::exception& e) {
        exitCode = ExitFailure;
        whyNot = e.what();
    }
    return std::nullopt;
}
