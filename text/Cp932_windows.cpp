#include <windows.h>

#include <stdexcept>

#include "text/Cp932System.h"

namespace {

constexpr UINT CodePage932 = 932;

}  // namespace

struct TCp932System::TState {};

TCp932System::TCp932System()
{
    if (!IsValidCodePage(CodePage932))
        throw std::runtime_error("code page 932 converter unavailable");
}

TCp932System::~TCp932System() = default;

char16_t TCp932System::Decode(const char* bytes, int length) const
{
    // Without MB_ERR_INVALID_CHARS an undefined sequence would come back as the default
    // character, indistinguishable from a real one.
    wchar_t chars[4];
    const int count = MultiByteToWideChar(CodePage932, MB_ERR_INVALID_CHARS, bytes, length, chars, 4);
    return count == 1 ? static_cast<char16_t>(chars[0]) : kNoChar;
}

uint16_t TCp932System::Encode(char16_t c) const
{
    // No best fit: a character Windows would only approximate is not held. A character that
    // comes back as the default one is not held either.
    const wchar_t source = static_cast<wchar_t>(c);
    char bytes[4];
    BOOL usedDefault = FALSE;
    const int count = WideCharToMultiByte(CodePage932, WC_NO_BEST_FIT_CHARS, &source, 1, bytes, 4,
                                          nullptr, &usedDefault);
    if (count < 1 || count > 2 || usedDefault)
        return kNoBytes;
    const auto first = static_cast<unsigned char>(bytes[0]);
    return count == 1 ? first : static_cast<uint16_t>(first << 8 | static_cast<unsigned char>(bytes[1]));
}
