#include "cli/CliText.h"

namespace {

TLanguage Language = TLanguage::English;

}  // namespace

TLanguage CliLanguage()
{
    return Language;
}

void SetCliLanguage(TLanguage language)
{
    Language = language;
}

std::string FilledText(std::string_view text, const std::string* values, std::size_t count)
{
    std::string filled;
    filled.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsPlaceholderAt(text, i)) {
            const auto value = static_cast<std::size_t>(text[i + 1] - '0');
            if (value < count) {
                filled += values[value];
                i += 2;
                continue;
            }
        }
        filled.push_back(text[i]);
    }
    return filled;
}
