#pragma once

#include <string>
#include <string_view>

// The files' 8-bit code page. Every byte maps to one Unicode character and back, the five bytes
// the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) to the C1 controls of the same value.
namespace cp1252 {

char32_t toUnicode(unsigned char byte);
// '?' for a character outside the code page.
char fromUnicode(char32_t character);

std::string toUtf8(std::string_view bytes);
// Malformed UTF-8 and characters outside the code page become '?'.
std::string fromUtf8(std::string_view utf8);
// Little-endian UTF-16 code units; a surrogate pair is one character, hence one '?'.
std::string fromUtf16(const char16_t* units, std::size_t count);

} // namespace cp1252
