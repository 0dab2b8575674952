#pragma once
// Conversion between UTF-8 (terminal, command line, Qt) and code page 1254,
// the single-byte Turkish text the engine and the tools work on.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace lirvan {

// The Unicode code point of one CP1254 byte. The five bytes the code page
// leaves unassigned map to the C1 control with the same value, so every
// byte survives a round trip.
char32_t Cp1254ToUnicode(unsigned char byte);

// The CP1254 byte of a code point, or '?' when the code page has none.
unsigned char UnicodeToCp1254(char32_t codePoint);

std::string Cp1254ToUtf8(std::string_view cp1254);
// Appends one code point (at most U+10FFFF) as UTF-8.
void AppendUtf8(std::string& out, char32_t codePoint);

// Malformed UTF-8 sequences and characters outside CP1254 become '?'.
std::string Utf8ToCp1254(std::string_view utf8);
// The same, but a character outside CP1254 (U+FFFD for a malformed
// sequence) becomes whatever `outside` gives for it.
std::string Utf8ToCp1254(std::string_view utf8,
                         const std::function<std::string(char32_t)>& outside);

}  // namespace lirvan
