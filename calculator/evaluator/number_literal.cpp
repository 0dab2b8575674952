#include "calculator/evaluator/number_literal.h"

#include <charconv>
#include <limits>
#include <string>

namespace lirvan::eval {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t DigitsAt(std::string_view text, std::size_t at) {
  std::size_t end = at;
  while (end < text.size() && IsDigit(text[end])) ++end;
  return end - at;
}

// Decimal order of magnitude of a literal that from_chars found out of
// range: only its sign matters (overflow or underflow).
long long Magnitude(std::string_view literal, char decimalPoint) {
  long long exponent = 0;
  std::size_t mark = literal.find_first_of("eE");
  if (mark != std::string_view::npos) {
    std::size_t at = mark + 1;
    bool negative = at < literal.size() && literal[at] == '-';
    if (at < literal.size() && (literal[at] == '-' || literal[at] == '+')) ++at;
    for (; at < literal.size(); ++at) {
      if (exponent < 1'000'000'000) exponent = exponent * 10 + (literal[at] - '0');
    }
    if (negative) exponent = -exponent;
    literal = literal.substr(0, mark);
  }
  std::size_t point = literal.find(decimalPoint);
  if (point == std::string_view::npos) point = literal.size();
  std::size_t first = literal.find_first_not_of(std::string{'0', decimalPoint});
  if (first == std::string_view::npos) return std::numeric_limits<long long>::min();
  long long order = first < point ? static_cast<long long>(point - first) - 1
                                  : -static_cast<long long>(first - point);
  return order + exponent;
}

}  // namespace

std::size_t NumberLiteralLength(std::string_view text, char decimalPoint) {
  std::size_t at = DigitsAt(text, 0);
  std::size_t digits = at;
  if (at < text.size() && text[at] == decimalPoint) {
    std::size_t fraction = DigitsAt(text, at + 1);
    digits += fraction;
    at += 1 + fraction;
  }
  if (digits == 0) return 0;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    std::size_t sign = at + 1;
    if (sign < text.size() && (text[sign] == '+' || text[sign] == '-')) ++sign;
    std::size_t exponent = DigitsAt(text, sign);
    if (exponent > 0) at = sign + exponent;
  }
  return at;
}

double ConvertNumberLiteral(std::string_view literal, char decimalPoint) {
  std::string normal(literal);
  for (char& c : normal) {
    if (c == decimalPoint) c = '.';
  }
  double value = 0;
  auto [end, error] = std::from_chars(normal.data(), normal.data() + normal.size(), value,
                                      std::chars_format::general);
  if (error == std::errc::result_out_of_range) {
    return Magnitude(literal, decimalPoint) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return value;
}

}  // namespace lirvan::eval
