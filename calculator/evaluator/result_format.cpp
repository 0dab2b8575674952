#include "calculator/evaluator/result_format.h"

#include <array>
#include <charconv>

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

}  // namespace lirvan::eval
