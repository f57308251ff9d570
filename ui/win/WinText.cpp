#include "ui/win/WinText.h"

#include "text/Cp932.h"

std::wstring WideFromCp932(std::string_view cp932)
{
    const std::u16string utf16 = Cp932ToUtf16Lossy(cp932);
    return std::wstring(utf16.begin(), utf16.end());
}

std::string Cp932FromWide(std::wstring_view wide)
{
    return Utf16ToCp932(std::u16string(wide.begin(), wide.end()));
}
