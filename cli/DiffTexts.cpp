#include "cli/DiffTexts.h"

#include <array>
#include <utility>

#include "cli/CliText.h"

namespace {

using TLabel = std::string (*)();
using TKindCount = std::string (*)(int64_t count, std::string_view sign);

constexpr std::pair<std::string_view, TLabel> FieldLabels[] = {
    {"name", [] { return CliText<"DiffName">(); }},
    {"screenColor", [] { return CliText<"DiffScreenColor">(); }},
    {"screenWidth", [] { return CliText<"DiffScreenWidth">(); }},
    {"printColor", [] { return CliText<"DiffPrintColor">(); }},
    {"printWidth", [] { return CliText<"DiffPrintWidth">(); }},
    {"pointRadius", [] { return CliText<"DiffPointRadius">(); }},
    {"pattern", [] { return CliText<"DiffPattern">(); }},
    {"dotsPerUnit", [] { return CliText<"DiffDotsPerUnit">(); }},
    {"screenPitch", [] { return CliText<"DiffScreenPitch">(); }},
    {"printPitch", [] { return CliText<"DiffPrintPitch">(); }},
    {"segmentCount", [] { return CliText<"DiffSegmentCount">(); }},
    {"state", [] { return CliText<"DiffState">(); }},
    {"writeLayer", [] { return CliText<"DiffWriteLayer">(); }},
    {"scale", [] { return CliText<"DiffScale">(); }},
    {"protection", [] { return CliText<"DiffProtection">(); }},
    {"paperSize", [] { return CliText<"DiffPaperSize">(); }},
    {"memo", [] { return CliText<"DiffMemo">(); }},
};

// By kind code 1 .. 7, at 0 .. 6.
constexpr std::array<TKindCount, 7> KindCounts{
    [](int64_t n, std::string_view sign) { return CliText<"DiffCountLines">(n, sign); },
    [](int64_t n, std::string_view sign) { return CliText<"DiffCountArcs">(n, sign); },
    [](int64_t n, std::string_view sign) { return CliText<"DiffCountPoints">(n, sign); },
    [](int64_t n, std::string_view sign) { return CliText<"DiffCountTexts">(n, sign); },
    [](int64_t n, std::string_view sign) { return CliText<"DiffCountDimensions">(n, sign); },
    [](int64_t n, std::string_view sign) { return CliText<"DiffCountSolids">(n, sign); },
    [](int64_t n, std::string_view sign) {
        return CliText<"DiffCountBlockInsertions">(n, sign);
    },
};

constexpr std::array<TLabel, 7> Kinds{
    [] { return CliText<"DiffKindLine">(); },
    [] { return CliText<"DiffKindArc">(); },
    [] { return CliText<"DiffKindPoint">(); },
    [] { return CliText<"DiffKindText">(); },
    [] { return CliText<"DiffKindDimension">(); },
    [] { return CliText<"DiffKindSolid">(); },
    [] { return CliText<"DiffKindBlockInsertion">(); },
};

std::size_t KindIndex(int32_t kind)
{
    return static_cast<std::size_t>(kind - 1);
}

}  // namespace

std::string FieldLabel(std::string_view key)
{
    for (const auto& [field, label] : FieldLabels)
        if (field == key)
            return label();
    // P0 ... P7, as the window heads its columns in every language.
    if (key.size() == 2 && key[0] == 'p')
        return "P" + std::string(key.substr(1));
    return std::string(key);
}

std::string KindCountText(int32_t kind, int64_t count, std::string_view sign)
{
    return KindCounts.at(KindIndex(kind))(count, sign);
}

std::string KindText(int32_t kind)
{
    return Kinds.at(KindIndex(kind))();
}
