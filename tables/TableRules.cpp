#include "tables/TableRules.h"

#include "tables/NumberText.h"
#include "tables/TableFrames.h"
#include "text/Func_.h"

std::string NameFromText(std::string_view text)
{
    return SjisCopy(text, 1, NameByteBudget);
}

int32_t ColorValueFromText(std::string_view text)
{
    return TextToIntClamped(text, 0, MaxColorValue);
}

int32_t IntUpTo1000FromText(std::string_view text)
{
    return TextToIntClamped(text, 0, MaxIntCellValue);
}

double FloatUpTo1000FromText(std::string_view text)
{
    return TextToFloatClamped(text, 0.0, MaxFloatCellValue);
}

int32_t PatternFromText(std::string_view text)
{
    std::string hex = "$";
    return StrToIntZero(hex.append(SjisCopy(text, 1, PatternByteBudget)));
}

int32_t SegmentCountFromText(std::string_view text)
{
    const int32_t n = TextToIntClamped(text, 0, MaxSegmentCount);
    return n % 2 == 1 ? n + 1 : n;
}

void NormaliseColorCell(TCellTable& colors, int col, int row)
{
    if (row < 1)
        return;
    const std::string& text = colors.Cell(col, row);
    switch (col) {
    case ColorNameCol:
        colors.SetCell(col, row, NameFromText(text));
        break;
    case ScreenColorCol:
    case PrintColorCol:
        colors.SetCell(col, row, DecimalText(ColorValueFromText(text)));
        break;
    case ScreenSwatchCol:
    case PrintSwatchCol:
        colors.SetCell(col, row, "");
        break;
    case ScreenWidthCol:
    case PrintWidthCol:
        colors.SetCell(col, row, DecimalText(IntUpTo1000FromText(text)));
        break;
    case PointRadiusCol:
        colors.SetCell(col, row, GeneralNumberText(FloatUpTo1000FromText(text)));
        break;
    default:
        break;
    }
}

bool ColorColumnFeedsSwatch(int col)
{
    return col == ScreenColorCol || col == PrintColorCol;
}

namespace {

// Pitch cells beyond the row's segment count hold nothing that a save would keep. The count
// is read as it stands, without the raising to even, since it may not be normalised yet.
std::string NormalisedPitchText(const TCellTable& lineTypes, int col, int row)
{
    const int32_t count = TextToIntClamped(lineTypes.Cell(SegmentCountCol, row), 0,
                                           MaxSegmentCount);
    if (col - FirstPitchCol >= count)
        return "0";
    return GeneralNumberText(FloatUpTo1000FromText(lineTypes.Cell(col, row)));
}

void NormaliseSegmentCount(TCellTable& lineTypes, int row)
{
    const int32_t n = SegmentCountFromText(lineTypes.Cell(SegmentCountCol, row));
    lineTypes.SetCell(SegmentCountCol, row, DecimalText(n));
    for (int col = FirstPitchCol + n; col < FirstPitchCol + ShownPitchCount; ++col)
        lineTypes.SetCell(col, row, "0");
}

}  // namespace

void NormaliseLineTypeCell(TCellTable& lineTypes, int col, int row)
{
    if (row < 1)
        return;
    const std::string& text = lineTypes.Cell(col, row);
    if (col == LineTypeNameCol) {
        lineTypes.SetCell(col, row, NameFromText(text));
    } else if (col == PatternCol) {
        lineTypes.SetCell(col, row, Hex8Text(PatternFromText(text)));
    } else if (col == DotsPerUnitCol || col == ScreenPitchCol || col == PrintPitchCol) {
        lineTypes.SetCell(col, row, DecimalText(IntUpTo1000FromText(text)));
    } else if (col == SegmentCountCol) {
        NormaliseSegmentCount(lineTypes, row);
    } else if (col >= FirstPitchCol && col < FirstPitchCol + ShownPitchCount) {
        lineTypes.SetCell(col, row, NormalisedPitchText(lineTypes, col, row));
    }
}

std::optional<int32_t> SwatchColor(const TCellTable& colors, int col, int row)
{
    if (row < 1 || (col != ScreenSwatchCol && col != PrintSwatchCol))
        return std::nullopt;
    return ColorValueFromText(colors.Cell(col - 1, row));
}

std::optional<int> ColorDialogTargetCol(int col)
{
    if (col == ScreenColorCol || col == ScreenSwatchCol)
        return ScreenColorCol;
    if (col == PrintColorCol || col == PrintSwatchCol)
        return PrintColorCol;
    return std::nullopt;
}
