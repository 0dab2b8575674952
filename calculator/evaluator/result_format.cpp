#include "calculator/evaluator/result_format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace lirvan::eval {

std::string FormatCalculatorResult(double value) {
  // to_chars with a precision behaves as printf("%.6g") in the C locale.
  std::array<char, 64> buffer{};
  auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::general, 6);
  std::string text(buffer.data(), error == std::errc{} ? end : buffer.data());
  for (char& c : text) {
    if (c == '.') c = ',';
  }
  return text;
}

namespace {

// An exact integer of at most this many digits is said as a number
// ("bir milyon"); a longer one as mantissa times a power of ten.
constexpr int kLongestWholeNumber = 15;

// "2,5" and exponent 7 -> "25000000"; empty when the value is not a whole
// number or too long to say as one.
std::string WholeNumber(std::string_view mantissa, int exponent) {
  std::string digits;
  int fraction = 0;
  bool afterComma = false;
  for (char c : mantissa) {
    if (c == ',') {
      afterComma = true;
    } else {
      digits += c;
      if (afterComma) ++fraction;
    }
  }
  if (exponent < fraction || static_cast<int>(digits.size()) - fraction + exponent > kLongestWholeNumber) {
    return {};
  }
  digits.append(static_cast<std::size_t>(exponent - fraction), '0');
  return digits;
}

}  // namespace

std::string SpokenCalculatorResult(double value) {
  if (std::isnan(value)) return "tanımsız";
  if (std::isinf(value)) return value > 0 ? "sonsuz" : "eksi sonsuz";
  const std::string shown = FormatCalculatorResult(value);
  std::string_view text = shown;
  std::string spoken;
  if (text.front() == '-') {
    text.remove_prefix(1);
    // "-0" is still zero.
    if (text.find_first_not_of("0,") != std::string_view::npos) spoken = "eksi ";
  }
  const std::size_t e = text.find('e');
  if (e == std::string_view::npos) return spoken.append(text);
  const std::string_view mantissa = text.substr(0, e);
  const int exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
  const std::string whole = exponent > 0 ? WholeNumber(mantissa, exponent) : std::string();
  if (!whole.empty()) return spoken + whole;
  spoken.append(mantissa).append(" çarpı 10 üzeri ");
  if (exponent < 0) spoken += "eksi ";
  return spoken + std::to_string(std::abs(exponent));
}

}  // namespace lirvan::eval
