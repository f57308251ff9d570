// The two encodings in which zelvane-cli writes and reads table text: UTF-8, which terminals,
// scripts and JSON use, and code page 932, the drawing's own. Drawing text is code page 932
// bytes everywhere inside; these functions convert it at the edge.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

enum class TTextEncoding { Utf8, Cp932 };

// Spreadsheet programs on Japanese desktops read a CSV file as UTF-8 only when it starts so.
inline constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

bool IsValidUtf8(std::string_view text);

// The text in the encoding, or nothing when code page 932 bytes do not form valid characters
// and so have no UTF-8 form.
std::optional<std::string> Cp932InEncoding(std::string_view cp932, TTextEncoding encoding);

// Code page 932 of text in the encoding, or nothing when a character has no code page 932 form.
// Code page 932 text passes unchanged: a drawing may hold any bytes.
std::optional<std::string> Cp932FromEncoding(std::string_view text, TTextEncoding encoding);

// The first character of UTF-8 text that code page 932 cannot hold, with its code point, such
// as "é" (U+00E9); empty when there is none.
std::string FirstCharacterWithoutCp932(std::string_view utf8);

// UTF-8 of code page 932 bytes for a person to read: a byte that belongs to no valid character
// is shown as \xNN.
std::string ReadableText(std::string_view cp932);

// The columns UTF-8 text takes on a terminal: two for a wide character, such as a kanji or a
// full-width kana, one for any other; a byte of no character counts as one.
std::size_t TerminalWidth(std::string_view utf8);

// UTF-8 text on one line: line breaks, tabs and other control characters are shown as \r, \n,
// \t and \xNN.
std::string OneLine(std::string_view utf8);
