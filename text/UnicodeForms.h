// Walking and writing UTF-8 and UTF-16, for the conversions to and from code page 932.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Returned for a sequence that is not well-formed; no character has this value.
constexpr char32_t kIllFormed = 0xFFFFFFFF;

// The code point at s[i], moving i past it. An ill-formed sequence gives kIllFormed and moves
// past its longest start that could still have begun a character, and at least one byte.
char32_t NextUtf8(std::string_view s, std::size_t& i);

// The code point at s[i], moving i past it. An unpaired surrogate is returned as itself.
char32_t NextUtf16(std::u16string_view s, std::size_t& i);

// Appends the UTF-8 of a character of the Basic Multilingual Plane.
void AppendUtf8(std::string& out, char16_t c);
