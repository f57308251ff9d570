#include "cli/SpreadsheetGuard.h"

#include <algorithm>

namespace {

constexpr char Guard = '\'';

bool StartsFormula(char c)
{
    return c == '=' || c == '+' || c == '-' || c == '@' || c == '\t' || c == '\r';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// An optional sign, digits with at most one decimal point, and an optional exponent.
bool IsPlainNumber(std::string_view text)
{
    std::size_t i = 0;
    const auto digits = [&] {
        const std::size_t start = i;
        while (i < text.size() && IsDigit(text[i]))
            ++i;
        return i - start;
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t mantissa = digits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        if (digits() == 0)
            return false;
    }
    return i == text.size();
}

// Apostrophes, then a character that starts a formula.
bool NeedsGuard(std::string_view text)
{
    const std::size_t first = std::min(text.find_first_not_of(Guard), text.size());
    if (first == text.size() || !StartsFormula(text[first]))
        return false;
    return first > 0 || !IsPlainNumber(text);
}

}  // namespace

std::string GuardedCell(std::string_view text)
{
    if (!NeedsGuard(text))
        return std::string(text);
    return Guard + std::string(text);
}

std::string_view UnguardedCell(std::string_view cell)
{
    if (cell.starts_with(Guard) && NeedsGuard(cell.substr(1)))
        cell.remove_prefix(1);
    return cell;
}
