// Where the window's bytes meet Qt's Unicode strings. Two kinds of bytes reach the skin and are
// never mixed up: the texts of the drawing and of the window (cell texts, captions, messages,
// dialog filters) are code page 932, while file paths are the operating system's own bytes,
// which the logic hands to the file system unchanged.
#pragma once

#include <QString>

#include <string>
#include <string_view>

// A code page 932 text for display. Byte sequences that are not code page 932 show as "?";
// the bytes themselves stay wherever they are held.
QString TextFromCp932(std::string_view bytes);

// What a person typed, as code page 932; a character that code page 932 cannot hold becomes "?".
std::string TextToCp932(const QString& text);

// A file path as the operating system's bytes, and back.
QString PathFromOs(const std::string& bytes);
std::string PathToOs(const QString& path);
