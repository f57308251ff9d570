#include <unicode/ucnv.h>

#include <stdexcept>
#include <string>

#include "text/Cp932System.h"

struct TCp932System::TState {
    UConverter* Converter = nullptr;
};

TCp932System::TCp932System() : State(std::make_unique<TState>())
{
    UErrorCode status = U_ZERO_ERROR;
    State->Converter = ucnv_open("windows-31j", &status);
    ucnv_setToUCallBack(State->Converter, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    ucnv_setFromUCallBack(State->Converter, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    if (U_FAILURE(status)) {
        ucnv_close(State->Converter);
        throw std::runtime_error(std::string("code page 932 converter unavailable: ") + u_errorName(status));
    }
}

TCp932System::~TCp932System()
{
    ucnv_close(State->Converter);
}

char16_t TCp932System::Decode(const char* bytes, int length) const
{
    UErrorCode status = U_ZERO_ERROR;
    UChar chars[4];
    const int32_t count = ucnv_toUChars(State->Converter, chars, 4, bytes, length, &status);
    return U_SUCCESS(status) && count == 1 ? chars[0] : kNoChar;
}

uint16_t TCp932System::Encode(char16_t c) const
{
    UErrorCode status = U_ZERO_ERROR;
    char bytes[4];
    const UChar source = c;
    const int32_t count = ucnv_fromUChars(State->Converter, bytes, 4, &source, 1, &status);
    if (U_FAILURE(status) || count < 1 || count > 2)
        return kNoBytes;
    const auto first = static_cast<unsigned char>(bytes[0]);
    return count == 1 ? first : static_cast<uint16_t>(first << 8 | static_cast<unsigned char>(bytes[1]));
}
