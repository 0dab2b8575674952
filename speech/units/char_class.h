#pragma once
// Character classes and Turkish lower-casing of CP1254 bytes.
#include <string>
#include <string_view>

namespace lirvan {

enum class CharClass { Letter = 0, Digit = 1, Other = 2 };

CharClass ClassOf(char c);
inline bool IsLetter(char c) { return ClassOf(c) == CharClass::Letter; }
inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// I -> ı and İ -> i; every other upper-case letter of the code page to its
// lower-case letter; everything else unchanged. Our own table: the result
// never depends on an installed system locale.
char TurkishLower(char c);
std::string TurkishLower(std::string_view text);

}  // namespace lirvan
