// UTF-8 paths as the wide functions of Windows take them, and back.
#pragma once

#include <string>
#include <string_view>

// Bytes that are not UTF-8 become U+FFFD, which names no file.
std::wstring WidePath(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);
