#pragma once
// Number literals: digits with at most one decimal point (either side may be
// empty, not both) and an optional exponent ('e' or 'E', a sign, digits),
// so that a displayed result such as "1e+06" reads back. The conversion
// never consults the process locale.
#include <cstddef>
#include <string_view>

namespace lirvan::eval {

// Length of the literal at the start of the text; 0 when there is none.
std::size_t NumberLiteralLength(std::string_view text, char decimalPoint);

// The value of a literal found by NumberLiteralLength. Too large a value
// gives infinity, too small a one zero.
double ConvertNumberLiteral(std::string_view literal, char decimalPoint);

}  // namespace lirvan::eval
