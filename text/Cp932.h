// Conversion between code page 932 byte strings and Unicode, for the few places where text
// leaves the drawing's own encoding: file names on the operating system and wide strings.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// UTF-8 of a code page 932 byte string; nothing when the bytes are not valid code page 932.
std::optional<std::string> Cp932ToUtf8(std::string_view cp932);

// UTF-8 of a code page 932 byte string in which a byte sequence that is not valid code page 932
// becomes "?"; for text that a person sees whatever it holds.
std::string Cp932ToUtf8Lossy(std::string_view cp932);

// UTF-16 of a code page 932 byte string; nothing when the bytes are not valid code page 932.
std::optional<std::u16string> Cp932ToUtf16(std::string_view cp932);

// Code page 932 of UTF-16 text. A character that code page 932 cannot hold becomes "?" and
// sets *lossy (when given) to true; *lossy is never reset to false.
std::string Utf16ToCp932(std::u16string_view utf16, bool* lossy = nullptr);

// Code page 932 of UTF-8 text, with the same replacement rule.
std::string Utf8ToCp932(std::string_view utf8, bool* lossy = nullptr);

// UTF-16 of a code page 932 byte string in which a byte sequence that is not valid code page
// 932 becomes "?"; for writing text that must reach a Unicode form whatever it holds.
std::u16string Cp932ToUtf16Lossy(std::string_view cp932);
