// SPDX-License-Identifier: GPL-3.0-or-later
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

// Whether the text converts without a '?' standing in for anything: well-formed, and every
// character in the code page. Texts that do not are refused where they are typed, never stored.
bool holdsUtf8(std::string_view utf8);
bool holdsUtf16(const char16_t* units, std::size_t count);
// Whether the bytes are well-formed UTF-8, whatever characters they encode.
bool isWellFormedUtf8(std::string_view bytes);

// What the code page can hold, as every refusal says it.
inline constexpr const char* kWhatTextsHold = "the letters of Western European languages (Windows-1252)";
// "Sorry, <field> can hold only the letters of Western European languages (Windows-1252)."
std::string refusal(std::string_view field);

} // namespace cp1252
