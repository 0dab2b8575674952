#include "calculator/evaluator/conversions.h"

namespace lirvan::eval {
namespace {

std::optional<double> ConvertDigits(std::string_view text, int base) {
  double value = 0;
  for (char c : text) {
    int digit = base;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (digit >= base) return std::nullopt;
    value = value * base + digit;
  }
  return value;
}

}  // namespace

std::optional<double> ConvertHex(std::string_view text) { return ConvertDigits(text, 16); }
std::optional<double> ConvertBin(std::string_view text) { return ConvertDigits(text, 2); }

}  // namespace lirvan::eval
