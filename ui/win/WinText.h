// Text between the window logic and Win32: messages and cells are code page 932 bytes, paths
// UTF-8; Windows shows and takes UTF-16, which reads right under any code page.
#pragma once

#include <string>
#include <string_view>

std::wstring WideFromCp932(std::string_view cp932);
std::string Cp932FromWide(std::wstring_view wide);
